# bash completion for zarvelin
_zarvelin() {
  local cur prev command word
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    case $word in
      copy | show | set | verify | about | settings | help) command=$word; break ;;
    esac
  done
  case $prev in
    --code-page) COMPREPLY=($(compgen -W "auto 932 936 949 950 1250 1251 1252 1253 1254 1255 1256 1257 1258 874" -- "$cur")); return ;;
    --drive | --major | --name | --command) return ;;
    --path32 | --recover) COMPREPLY=($(compgen -d -- "$cur")); return ;;
  esac
  local global="-h --help -V --version -q --quiet -v --verbose --yes --clipboard --code-page --drive"
  if [[ $cur == -* ]]; then
    case $command in
      copy) COMPREPLY=($(compgen -W "$global --mkdir --scc -n --dry-run --json --keep-tree --skip-missing-docs --recover" -- "$cur")) ;;
      verify) COMPREPLY=($(compgen -W "$global --ide-saved --keep-tree --skip-missing-docs" -- "$cur")) ;;
      show) COMPREPLY=($(compgen -W "$global --json" -- "$cur")) ;;
      set) COMPREPLY=($(compgen -W "$global --major --name --command --path32" -- "$cur")) ;;
      settings) COMPREPLY=($(compgen -W "$global --reset" -- "$cur")) ;;
      *) COMPREPLY=($(compgen -W "$global" -- "$cur")) ;;
    esac
    return
  fi
  case $command in
    "") COMPREPLY=($(compgen -W "copy show set verify about settings help" -- "$cur")) ;;
    help) COMPREPLY=($(compgen -W "copy show set verify about settings" -- "$cur")) ;;
    copy | show | verify) COMPREPLY=($(compgen -f -X '!*.[vV][bB][pPgG]' -- "$cur") $(compgen -d -- "$cur")) ;;
    set) COMPREPLY=($(compgen -f -X '!*.[vV][bB][pP]' -- "$cur") $(compgen -d -- "$cur")) ;;
  esac
}
complete -F _zarvelin zarvelin

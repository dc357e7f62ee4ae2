#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "runtime/App.h"
#include "runtime/Formats.h"

int main(int argc, char** argv) {
  const zarvelin::AppFacts facts;
  CLI::App app{facts.title + ": " + facts.comments, "zarvelin"};
  app.set_version_flag(
      "--version",
      facts.title + " " + zarvelin::FormatVersion(facts.major, facts.minor, facts.revision));
  CLI11_PARSE(app, argc, argv);
  return 0;
}

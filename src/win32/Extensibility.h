#pragma once

#include <windows.h>

namespace zarvelin::win32 {

// The IDE's add-in interface, IDTExtensibility2 (dual): the IDE calls it by vtable, scripts and
// test hosts by name. Declared here since the Windows SDK headers do not carry it.
// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}
inline constexpr IID kIidExtensibility2 = {
    0xb65ad801, 0xabaf, 0x11d0, {0xbb, 0x8b, 0x00, 0xa0, 0xc9, 0x0f, 0x27, 0x44}};

// The methods' DISPIDs, in vtable order.
namespace extensibility {
inline constexpr DISPID kOnConnection = 1;
inline constexpr DISPID kOnDisconnection = 2;
inline constexpr DISPID kOnAddInsUpdate = 3;
inline constexpr DISPID kOnStartupComplete = 4;
inline constexpr DISPID kOnBeginShutdown = 5;
}  // namespace extensibility

struct IDTExtensibility2 : public IDispatch {
  // ConnectMode and RemoveMode are the interface's enums, 32 bits wide.
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, LONG connectMode,
                                                 IDispatch* addInInst, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(LONG removeMode, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

}  // namespace zarvelin::win32

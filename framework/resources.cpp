#include "framework/resources.h"

#include "framework/exceptions.h"

namespace {

std::string Narrow(const std::wstring& S) {
  int N = WideCharToMultiByte(CP_UTF8, 0, S.c_str(), static_cast<int>(S.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string Out(N, '\0');
  WideCharToMultiByte(CP_UTF8, 0, S.c_str(), static_cast<int>(S.size()), Out.data(), N, nullptr,
                      nullptr);
  return Out;
}

}  // namespace

std::span<const std::uint8_t> LoadResourceData(const std::wstring& Name, LPCWSTR Type) {
  HMODULE Module = GetModuleHandleW(nullptr);
  HRSRC Info = FindResourceW(Module, Name.c_str(), Type);
  HGLOBAL Data = Info ? LoadResource(Module, Info) : nullptr;
  const void* Bytes = Data ? LockResource(Data) : nullptr;
  if (!Bytes) throw EResNotFound("Resource " + Narrow(Name) + " not found");
  return {static_cast<const std::uint8_t*>(Bytes), SizeofResource(Module, Info)};
}

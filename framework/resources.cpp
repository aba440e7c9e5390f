#include "framework/resources.h"

#include "framework/exceptions.h"
#include "framework/unicode.h"

std::span<const std::uint8_t> LoadResourceData(const std::wstring& Name, LPCWSTR Type) {
  HMODULE Module = GetModuleHandleW(nullptr);
  HRSRC Info = FindResourceW(Module, Name.c_str(), Type);
  HGLOBAL Data = Info ? LoadResource(Module, Info) : nullptr;
  const void* Bytes = Data ? LockResource(Data) : nullptr;
  if (!Bytes) throw EResNotFound("Resource " + EncodeText(Name) + " not found");
  return {static_cast<const std::uint8_t*>(Bytes), SizeofResource(Module, Info)};
}

#include "engine/filters/tests/test_graph_support.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include <mmreg.h>

namespace lctest {

bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs) {
  const DWORD start = GetTickCount();
  while (!Done()) {
    if (GetTickCount() - start >= TimeoutMs) return Done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

namespace {
// The platform's WAVE parser, {D51BD5A1-7548-11CF-A520-0080C77EF58A}.
const CLSID kWaveParser = {0xD51BD5A1, 0x7548, 0x11CF, {0xA5, 0x20, 0x00, 0x80, 0xC7, 0x7E, 0xF5, 0x8A}};

uint32_t U32(const uint8_t* P) { return P[0] | P[1] << 8 | P[2] << 16 | static_cast<uint32_t>(P[3]) << 24; }
uint16_t U16(const uint8_t* P) { return static_cast<uint16_t>(P[0] | P[1] << 8); }
}  // namespace

TWavFile ReadWav(const std::wstring& Path) {
  TWavFile wav;
  HANDLE file = CreateFileW(Path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return wav;
  std::vector<uint8_t> bytes(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  if (read < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0) return wav;
  size_t at = 12;
  bool format = false;
  while (at + 8 <= bytes.size()) {
    const uint32_t size = U32(&bytes[at + 4]);
    const uint8_t* body = &bytes[at + 8];
    if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && size >= 16) {
      wav.Tag = U16(body);
      wav.Channels = U16(body + 2);
      wav.Rate = static_cast<int>(U32(body + 4));
      wav.Bits = U16(body + 14);
      if (wav.Tag == WAVE_FORMAT_EXTENSIBLE && size >= 40) wav.Tag = U16(body + 24);
      format = true;
    } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
      const size_t count = std::min<size_t>(size, bytes.size() - at - 8);
      wav.Data.assign(body, body + count);
      wav.Ok = format;
      return wav;
    }
    at += 8 + size + (size & 1);
  }
  return wav;
}

IPin* FindPin(IBaseFilter* Filter, PIN_DIRECTION Direction) {
  IEnumPins* pins = nullptr;
  if (FAILED(Filter->EnumPins(&pins))) return nullptr;
  IPin* pin = nullptr;
  while (pins->Next(1, &pin, nullptr) == S_OK) {
    PIN_DIRECTION direction;
    if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == Direction) break;
    pin->Release();
    pin = nullptr;
  }
  pins->Release();
  return pin;
}

IPin* AddWaveSource(IGraphBuilder* Graph, const std::wstring& Path) {
  IBaseFilter* source = nullptr;
  if (FAILED(Graph->AddSourceFilter(Path.c_str(), L"Source", &source))) return nullptr;
  IBaseFilter* parser = nullptr;
  IPin* result = nullptr;
  if (SUCCEEDED(CoCreateInstance(kWaveParser, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                 reinterpret_cast<void**>(&parser))) &&
      SUCCEEDED(Graph->AddFilter(parser, L"Parser"))) {
    IPin* out = FindPin(source, PINDIR_OUTPUT);
    IPin* in = FindPin(parser, PINDIR_INPUT);
    if (out != nullptr && in != nullptr && SUCCEEDED(Graph->ConnectDirect(out, in, nullptr)))
      result = FindPin(parser, PINDIR_OUTPUT);
    if (out != nullptr) out->Release();
    if (in != nullptr) in->Release();
  }
  if (parser != nullptr) parser->Release();
  source->Release();
  return result;
}

std::vector<std::wstring> FilterNames(IFilterGraph* Graph) {
  std::vector<std::wstring> names;
  IEnumFilters* filters = nullptr;
  if (FAILED(Graph->EnumFilters(&filters))) return names;
  IBaseFilter* filter = nullptr;
  while (filters->Next(1, &filter, nullptr) == S_OK) {
    FILTER_INFO info{};
    if (SUCCEEDED(filter->QueryFilterInfo(&info))) {
      names.push_back(info.achName);
      if (info.pGraph != nullptr) info.pGraph->Release();
    }
    filter->Release();
  }
  filters->Release();
  return names;
}

void KeepVideoHidden(IUnknown* Graph) {
  IVideoWindow* window = nullptr;
  if (!Graph || FAILED(Graph->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&window)))) return;
  window->put_AutoShow(OAFALSE);
  window->put_Visible(OAFALSE);
  window->Release();
}

}  // namespace lctest

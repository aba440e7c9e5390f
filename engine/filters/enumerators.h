// The enumerators a filter and a pin hand out: its pins, a pin's media
// types. Each takes a reference to the filter it enumerates. GUI thread.
#pragma once

#include <windows.h>
#include <dshow.h>

class TBaseFilter;
class TBasePin;

// Creates an IEnumPins over Filter's pins from Position on.
HRESULT CreatePinEnumerator(TBaseFilter* Filter, ULONG Position, IEnumPins** Enum);
// Creates an IEnumMediaTypes over Pin's GetMediaType from Position on.
HRESULT CreateMediaTypeEnumerator(TBasePin* Pin, ULONG Position, IEnumMediaTypes** Enum);

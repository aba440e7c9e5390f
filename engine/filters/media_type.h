// Media-type records (AM_MEDIA_TYPE): copying, freeing and comparing them,
// and TMediaType, a record that owns its format block.
#pragma once

#include <windows.h>
#include <dshow.h>

// Copies the record, then gives Target its own copy of the format block
// and adds a reference to pUnk when there is one. E_POINTER for a missing
// record; E_INVALIDARG, with Target untouched, when Target is Source or
// Source gives a format size without a format block; E_OUTOFMEMORY, with
// Target's format size 0, when the block cannot be allocated.
HRESULT CopyMediaType(AM_MEDIA_TYPE* Target, const AM_MEDIA_TYPE* Source);

// Frees the format block (when the format size is not 0) and releases pUnk;
// the record itself stays.
void FreeMediaType(AM_MEDIA_TYPE& MediaType);

// FreeMediaType, then CoTaskMemFree of the record itself; nullptr does
// nothing.
void DeleteMediaType(AM_MEDIA_TYPE* MediaType);

// A task-memory copy of Source (format block included) that the receiver
// frees with DeleteMediaType; nullptr when memory runs out or Source is not
// a valid record.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* Source);

// True when major type, subtype, format type and format block are equal.
bool MediaTypesEqual(const AM_MEDIA_TYPE& A, const AM_MEDIA_TYPE& B);

// An AM_MEDIA_TYPE that owns its format block; copies are deep.
class TMediaType : public AM_MEDIA_TYPE {
 public:
  TMediaType();
  explicit TMediaType(const AM_MEDIA_TYPE& Source);
  TMediaType(const TMediaType& Source);
  TMediaType& operator=(const TMediaType& Source);
  TMediaType& operator=(const AM_MEDIA_TYPE& Source);
  ~TMediaType();

  // Back to the empty record (null GUIDs, no format).
  void Clear();
  bool IsValid() const { return majortype != GUID_NULL; }
  // Replaces the format block with a copy of Size bytes of Data.
  bool SetFormat(const void* Data, ULONG Size);
};

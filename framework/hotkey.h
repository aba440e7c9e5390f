// THotKey: the platform's hot-key field, in which the user presses a key
// combination and the field shows it. Its value is a shortcut as the
// settings store it: the virtual-key code in the low byte, 0x2000 for
// Shift, 0x4000 for Ctrl and 0x8000 for Alt; 0 when the field is empty.
// OnChange fires when the user changes the combination.
#pragma once

#include <cstdint>

#include "framework/std_controls.h"

class THotKey : public TStdControl {
 public:
  explicit THotKey(TWinControl* Parent);

  std::uint16_t HotKey() const;
  // Shows the shortcut (OnChange does not fire).
  void SetHotKey(std::uint16_t ShortCut);

 protected:
  void Notify(WORD Code) override;
};

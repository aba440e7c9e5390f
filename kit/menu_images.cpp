#include "kit/menu_images.h"

#include "framework/graphics.h"
#include "framework/image_list.h"
#include "kit/skin_image.h"

namespace lc {

void LoadMenuImages(TImageList& List) {
  TBitmap Strip;
  LoadSkinImage(L"MenuImages", Strip);
  List.Add(Strip);
}

}  // namespace lc

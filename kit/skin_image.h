#pragma once

#include <string>

#include "framework/types.h"

class TBitmap;

// Skin images: PNG files carried in the program's resources as RT_RCDATA,
// addressed by name without regard to case.

// Fills the given, already created bitmap with the decoded skin image Name
// (the bitmap takes the image's size and pixels; transparent pixels become
// black). A name without a resource raises EResNotFound; undecodable data
// raises Exception. GUI thread.
void LoadSkinImage(const std::wstring& Name, TBitmap& Bitmap);

// The width and height of the skin image Name, read from its header
// without decoding it; raises as LoadSkinImage does.
TSize SkinImageSize(const std::wstring& Name);

// Draws a face out to Width for texts that need more room: the columns left
// of Column stay, Column is repeated over the new room and the rest moves
// right by as much (the window's right edge and close box with it). A Width
// not beyond the bitmap's leaves it as it is.
void WidenSkinImage(TBitmap& Skin, int Width, int Column);

// Draws a face out downwards to Height for a text that needs more room:
// the rows above Row stay, Row is repeated over the new room and the rest
// moves down by as much (the bottom edge with it). A Height not beyond the
// bitmap's leaves it as it is.
void HeightenSkinImage(TBitmap& Skin, int Height, int Row);

// The custom cursor number of the pressed hand.
inline constexpr int crHandPress = 5;

// Installs the cursor resources "crhandpress" as crHandPress and
// "crhandpoint" in place of the framework's crHandPoint, each loaded when
// first shown. A missing resource leaves that cursor as it was.
void InstallSkinCursors();

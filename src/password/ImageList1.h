#pragma once

#include <QIcon>

// The image store of the change-password window. Image 1, under the key "Cancel", is a white
// diagonal cross on a red square; image 2 is a golden key. Both are 32 x 32.
namespace ImageList1 {

// By 1-based index, as the buttons refer to them; a null icon for any other index.
QIcon image(int index);

} // namespace ImageList1

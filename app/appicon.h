// The program's icon: Europe and the Mediterranean cut from the atlas's own
// colour thumbnail of the whole map, on a dark rounded square.
#pragma once

#include <QIcon>
#include <QImage>
#include <vector>

namespace quil2a {

// The stored colour thumbnail of the map (200 x 200 pixels).
inline constexpr int kIconThumbnail = 182;
// The sizes drawn, in pixels.
const std::vector<int>& iconSizes();

// The icon at size x size pixels; a null image gives a null one.
QImage atlasIcon(const QImage& thumbnail, int size);
// Every size of iconSizes in one icon.
QIcon atlasIcons(const QImage& thumbnail);

}  // namespace quil2a

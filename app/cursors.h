// The cursors the map canvas shows for its modifier keys and its pan.
// The two magnifiers are our own bitmaps; the hands are the system's.
#pragma once

#include <QCursor>
#include <QImage>

namespace quil2a {

enum class MapCursor { StandardPointer, HandOpen, HandClosed, MagnifyLarger, MagnifySmaller };

// The 16 x 16 magnifier picture: a lens with a plus (larger) or a minus,
// a handle towards the lower right, black on a white rim, the rest clear.
QImage magnifierImage(bool larger);
QCursor mapCursor(MapCursor which);

}  // namespace quil2a

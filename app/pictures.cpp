#include "app/pictures.h"

#include <QImage>

#include "platform/resources.h"

namespace quil2a {

int StoredPictures::rollerFrameNumber(int direction)
{
    if (direction == 7) return kBtn7f;
    if (direction == 8) return kBtn8f;
    if (direction >= 1 && direction <= 6) return kBtn0f + direction;
    return kBtn0f;
}

const plat::Picture* StoredPictures::picture(int resource)
{
    auto it = cache_.find(resource);
    if (it != cache_.end()) return it->second.get();
    const plat::Bytes data = plat::GetResource("PICT", resource);
    if (data.empty()) return nullptr;
    QImage img;
    if (!img.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()))) return nullptr;
    auto pic = std::make_unique<plat::Picture>(img);
    const plat::Picture* out = pic.get();
    cache_.emplace(resource, std::move(pic));
    return out;
}

}  // namespace quil2a

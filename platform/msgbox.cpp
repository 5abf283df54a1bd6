#include "msgbox.h"

#include <algorithm>
#include <cstdio>

namespace plat {

namespace {
MsgBoxHandler& handler()
{
    static MsgBoxHandler h;
    return h;
}
bool& inMessage()
{
    static bool busy = false;
    return busy;
}
}  // namespace

void MsgBox(const Bytes& text)
{
    if (handler()) {
        // A handler that runs an event loop must not be re-entered by the same message path.
        if (inMessage()) {
            std::fprintf(stderr, "quillmere: %s\n", text.c_str());
            return;
        }
        inMessage() = true;
        handler()(text);
        inMessage() = false;
        return;
    }
    std::fprintf(stderr, "quillmere: %s\n", text.c_str());
}

MsgBoxHandler setMsgBoxHandler(MsgBoxHandler h)
{
    MsgBoxHandler old = std::move(handler());
    handler() = std::move(h);
    return old;
}

MsgBoxRecorder::MsgBoxRecorder()
{
    previous_ = setMsgBoxHandler([this](const Bytes& t) { messages_.push_back(t); });
}

MsgBoxRecorder::~MsgBoxRecorder() { setMsgBoxHandler(std::move(previous_)); }

int MsgBoxRecorder::count(const Bytes& text) const
{
    return static_cast<int>(std::count(messages_.begin(), messages_.end(), text));
}

}  // namespace plat

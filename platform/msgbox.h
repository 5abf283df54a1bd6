// Modal messages. The program installs a handler that shows a real box;
// tests install a recorder. Without a handler messages go to stderr.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "text.h"

namespace plat {

using MsgBoxHandler = std::function<void(const Bytes& text)>;

void MsgBox(const Bytes& text);
// Returns the handler that was installed before.
MsgBoxHandler setMsgBoxHandler(MsgBoxHandler h);

// Records every message while it lives; restores the previous handler after.
class MsgBoxRecorder {
public:
    MsgBoxRecorder();
    ~MsgBoxRecorder();
    MsgBoxRecorder(const MsgBoxRecorder&) = delete;
    MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;
    const std::vector<Bytes>& messages() const { return messages_; }
    int count(const Bytes& text) const;
    void clear() { messages_.clear(); }

private:
    std::vector<Bytes> messages_;
    MsgBoxHandler previous_;
};

}  // namespace plat

// Text held by a control: exact contents, cheap appends, cheap dropping of the oldest lines.
#include "platform/uirt/model/textbuffer.h"

#include <algorithm>
#include <cstring>

namespace uirt {

namespace {

std::size_t countBreaks(std::string_view s) {
    return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
}

} // namespace

void TextBuffer::assign(std::string_view text) {
    std::string fresh(text); // `text` may be a view of this buffer
    buf_.swap(fresh);
    head_ = 0;
    breaks_ = countBreaks(text);
    ++revision_;
}

void TextBuffer::append(std::string_view text) {
    breaks_ += countBreaks(text);
    buf_.append(text);
}

void TextBuffer::replace(std::size_t pos, std::size_t count, std::string_view with) {
    pos = std::min(pos, size());
    count = std::min(count, size() - pos);
    breaks_ -= countBreaks(view().substr(pos, count));
    breaks_ += countBreaks(with);
    buf_.replace(head_ + pos, count, with);
    ++revision_;
}

std::size_t TextBuffer::keepLastLines(std::size_t maxBreaks) {
    const std::size_t before = head_;
    for (; breaks_ > maxBreaks; --breaks_) {
        const void* br = std::memchr(buf_.data() + head_, '\n', buf_.size() - head_);
        head_ = static_cast<std::size_t>(static_cast<const char*>(br) - buf_.data()) + 1;
    }
    const std::size_t dropped = head_ - before;
    if (head_ > buf_.size() / 2) { // reclaim: each byte moved here was paid for by a drop
        buf_.erase(0, head_);
        head_ = 0;
    }
    return dropped;
}

} // namespace uirt

// Text held by a control: exact contents, cheap appends, cheap dropping of the oldest lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace uirt {

// A string whose front can be dropped in amortised O(dropped): dropped bytes stay in the
// storage until they make up half of it. Counts its line breaks ('\n') as it changes, and
// counts replacements and edits (not appends or drops) so that a front end can tell whether
// the text it shows is still the model's text plus what was appended since.
class TextBuffer {
  public:
    TextBuffer() = default;
    TextBuffer(std::string_view text) { assign(text); } // NOLINT: a text converts implicitly
    TextBuffer& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    std::string_view view() const { return std::string_view(buf_).substr(head_); }
    operator std::string_view() const { return view(); } // NOLINT: reads like a string
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return buf_.size() - head_; }
    bool empty() const { return size() == 0; }
    std::size_t lineBreaks() const { return breaks_; }
    // Changes other than appends and drops since the buffer was made.
    std::uint64_t revision() const { return revision_; }

    void assign(std::string_view text);
    void append(std::string_view text);
    // Replaces [pos, pos + count), clipped to the text, by `with` (which must not point into
    // this buffer). Moves the text after the edit, copies nothing else.
    void replace(std::size_t pos, std::size_t count, std::string_view with);
    // Drops the oldest lines, each up to and including its line break, until at most
    // `maxBreaks` line breaks remain. Returns the number of bytes dropped.
    std::size_t keepLastLines(std::size_t maxBreaks);

    friend bool operator==(const TextBuffer& a, std::string_view b) { return a.view() == b; }

  private:
    std::string buf_;
    std::size_t head_ = 0; // bytes at the front of buf_ that are dropped
    std::size_t breaks_ = 0;
    std::uint64_t revision_ = 0;
};

} // namespace uirt

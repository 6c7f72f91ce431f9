#pragma once

#include <functional>
#include <iosfwd>
#include <streambuf>
#include <string>

/// A stream buffer that hands what is written to it on, a line at a time, so that a
/// `std::ostream` can write into a window's text pane.
class KxPaneStreamBuffer final : public std::streambuf {
public:
    /// What receives the text: whole lines, and the rest of a line when the stream is flushed.
    using Sink = std::function<void(const std::string& text)>;

    /// Hands the text to `sink`.
    explicit KxPaneStreamBuffer(Sink sink);
    /// Hands on what is still held.
    ~KxPaneStreamBuffer() override;
    KxPaneStreamBuffer(const KxPaneStreamBuffer&) = delete;
    KxPaneStreamBuffer& operator=(const KxPaneStreamBuffer&) = delete;

    /// Writes the same text to `mirror` too (a terminal's stream); null stops that.
    void setMirror(std::ostream* mirror) { mpMirror = mirror; }

protected:
    int_type overflow(int_type character) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    // Hands on the complete lines held, or everything with `all`.
    void deliver(bool all);

    Sink mSink;
    std::ostream* mpMirror = nullptr;
    std::string mHeld;
};

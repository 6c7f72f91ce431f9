#include "gui/KxPaneStreamBuffer.h"

#include <ostream>
#include <utility>

KxPaneStreamBuffer::KxPaneStreamBuffer(Sink sink) : mSink(std::move(sink)) {}

KxPaneStreamBuffer::~KxPaneStreamBuffer() {
    deliver(true);
}

KxPaneStreamBuffer::int_type KxPaneStreamBuffer::overflow(int_type character) {
    if (!traits_type::eq_int_type(character, traits_type::eof())) {
        const char text = traits_type::to_char_type(character);
        xsputn(&text, 1);
    }
    return traits_type::not_eof(character);
}

std::streamsize KxPaneStreamBuffer::xsputn(const char* text, std::streamsize count) {
    mHeld.append(text, static_cast<std::size_t>(count));
    deliver(false);
    return count;
}

int KxPaneStreamBuffer::sync() {
    deliver(true);
    return 0;
}

void KxPaneStreamBuffer::deliver(bool all) {
    const std::size_t end = all ? mHeld.size() : mHeld.rfind('\n') + 1; // npos + 1 is 0
    if (end == 0) {
        return;
    }
    const std::string text = mHeld.substr(0, end);
    mHeld.erase(0, end);
    if (mpMirror) {
        *mpMirror << text << std::flush;
    }
    if (mSink) {
        mSink(text);
    }
}

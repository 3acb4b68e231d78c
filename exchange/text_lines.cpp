#include "exchange/text_lines.h"

namespace exchange {

namespace {

constexpr std::size_t pieceSize = 1 << 16;

} // namespace

TextLineReader::TextLineReader(std::string path, TextEncoding encoding)
    : path_(std::move(path)), encoding_(encoding), decoder_(encoding) {}

TextLineReader::~TextLineReader() {
    if (file_)
        std::fclose(file_);
}

bool TextLineReader::rewind() {
    if (file_)
        std::fclose(file_);
    file_ = std::fopen(path_.c_str(), "rb");
    decoder_.reset();
    text_.clear();
    pos_ = 0;
    atEnd_ = false;
    skipLf_ = false;
    failed_ = file_ == nullptr;
    first_ = true;
    line_ = 0;
    return file_ != nullptr;
}

// Decodes the next piece of the file onto the text not yet handed out.
bool TextLineReader::fill() {
    if (atEnd_ || !file_)
        return false;
    std::string piece(pieceSize, '\0');
    const std::size_t got = std::fread(piece.data(), 1, piece.size(), file_);
    piece.resize(got);
    if (got < pieceSize) {
        if (std::ferror(file_)) {
            failed_ = true;
            return false;
        }
        atEnd_ = true;
    }
    std::string_view bytes = piece;
    if (first_) {
        first_ = false;
        bytes.remove_prefix(ByteOrderMarkLength(encoding_, bytes));
    }
    text_.erase(0, pos_);
    pos_ = 0;
    decoder_.decode(bytes, text_, atEnd_);
    return true;
}

bool TextLineReader::next(std::string& line) {
    line.clear();
    if (!file_ || failed_)
        return false;
    bool any = false;
    for (;;) {
        if (pos_ >= text_.size()) {
            if (fill())
                continue;
            if (failed_ || !any)
                return false;
            // The last line has no line break: it ends with the file.
            ++line_;
            return true;
        }
        if (skipLf_) {
            skipLf_ = false;
            if (text_[pos_] == '\n') {
                ++pos_;
                continue;
            }
        }
        std::size_t end = pos_;
        while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r')
            ++end;
        if (end == text_.size()) {
            line.append(text_, pos_, std::string::npos);
            pos_ = text_.size();
            any = true;
            continue;
        }
        line.append(text_, pos_, end - pos_);
        skipLf_ = text_[end] == '\r';
        pos_ = end + 1;
        ++line_;
        return true;
    }
}

std::string ReadHead(const std::string& path, std::size_t limit) {
    std::string head;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return head;
    head.resize(limit);
    head.resize(std::fread(head.data(), 1, limit, file));
    std::fclose(file);
    return head;
}

} // namespace exchange

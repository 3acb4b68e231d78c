// Reads arbitrary bytes as RTF: no crash or hang, pages always end, and what the writer makes
// of the document reads back to the same file.
#include "controls/page_painter.h"
#include "controls/rtf_reader.h"
#include "controls/rtf_writer.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument first;
    QTextCursor cursor(&first);
    const controls::RtfReadResult read = controls::ReadRtf(bytes, cursor);
    const controls::PageSetup page = read.page.value_or(controls::PageSetup());
    const QByteArray written = controls::WriteRtf(first, page);

    QTextDocument second;
    QTextCursor again(&second);
    controls::ReadRtf(written, again);
    if (controls::WriteRtf(second, page) != written)
        std::abort();
    if (size < 4096 && controls::TPagePainter(first, page).PageCount() < 1)
        std::abort();
    return 0;
}

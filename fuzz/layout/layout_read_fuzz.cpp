// Reads arbitrary bytes as a label layout: no crash or hang; whatever objects were read write a
// stream that reads back without error, and from then on writing and reading change nothing.
// (One pass may change a value: an empty text is not written, so it reads back as the class's
// default.)
#include "layout/label_panel.h"
#include "layout/layout_stream.h"
#include "layout/object_filer.h"

#include <QApplication>
#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

layout::TGLabelPanel* surface = nullptr;

// The objects the stream gives before any damage, written again as a stream; `damaged` tells
// whether the read stopped at an error.
QByteArray readAndWrite(const QByteArray& bytes, bool* damaged = nullptr) {
    layout::TLayoutStream format;
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    try {
        layout::TGLabelObjectFiler(format).ReadList(in, *surface->Owner(), *surface, {});
    } catch (const layout::LayoutError&) {
        if (damaged)
            *damaged = true;
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const QList<layout::TGGraphicControl*>& objects = surface->Objects();
    format.WriteList(out, {objects.begin(), objects.end()});
    surface->ClearObjects();
    return out.data();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(*argc, *argv);
    surface = new layout::TGLabelPanel;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray first =
        readAndWrite(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    bool damaged = false;
    const QByteArray second = readAndWrite(first, &damaged);
    if (damaged || readAndWrite(second) != second)
        std::abort();
    return 0;
}

#include "layout/layout_format.h"

namespace layout {

namespace {

// Stands in until the layout file format is there: nothing is written or read by accident.
class NoLayoutFormat : public LayoutFormat {
public:
    void WriteList(QIODevice&, const QList<const TGGraphicControl*>&) override { fail(); }
    void ReadList(QIODevice&, const ObjectMaker&, const ObjectDone&) override { fail(); }

private:
    [[noreturn]] static void fail() {
        throw LayoutError(QStringLiteral("No layout file format is available."));
    }
};

LayoutFormat*& installed() {
    static LayoutFormat* format = nullptr;
    return format;
}

} // namespace

LayoutFormat& CurrentLayoutFormat() {
    static NoLayoutFormat none;
    return installed() ? *installed() : none;
}

void InstallLayoutFormat(LayoutFormat* format) {
    installed() = format;
}

} // namespace layout

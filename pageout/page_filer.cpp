#include "pageout/page_filer.h"

namespace pageout {

TPageFiler::~TPageFiler() {
    if (painter_.isActive())
        painter_.end();
}

bool TPageFiler::openDocument() {
    Stream().clear();
    return true;
}

void TPageFiler::beginDevicePage() {
    picture_ = QPicture();
    painter_.begin(&picture_);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
}

void TPageFiler::endDevicePage() {
    painter_.end();
    Stream().append({picture_, QSizeF(ToInches(PageWidth(), units, UnitsFactor),
                                      ToInches(PageHeight(), units, UnitsFactor))});
}

void TPageFiler::closeDocument(bool) {
    if (painter_.isActive())
        painter_.end();
}

} // namespace pageout

#include "platform/printer_papers.h"

#include <QSizeF>

#include <cmath>

namespace platform {

std::optional<PaperSize> PaperForCode(int code) {
    // Envelope sizes follow the paper-size codes of the printer drivers.
    static const struct {
        int code;
        QPageSize::PageSizeId id;
    } table[] = {
        {1, QPageSize::Letter},
        {9, QPageSize::A4},
        {11, QPageSize::A5},
        {19, QPageSize::Envelope9},
        {20, QPageSize::Envelope10},
        {21, QPageSize::Envelope11},
        {22, QPageSize::Envelope12},
        {23, QPageSize::Envelope14},
        {27, QPageSize::EnvelopeDL},
        {28, QPageSize::EnvelopeC5},
        {29, QPageSize::EnvelopeC3},
        {30, QPageSize::EnvelopeC4},
        {31, QPageSize::EnvelopeC6},
        {32, QPageSize::EnvelopeC65},
        {33, QPageSize::EnvelopeB4},
        {34, QPageSize::EnvelopeB5},
        {35, QPageSize::EnvelopeB6},
        {36, QPageSize::EnvelopeItalian},
        {37, QPageSize::EnvelopeMonarch},
        {38, QPageSize::EnvelopePersonal},
    };
    for (const auto& row : table) {
        if (row.code == code) {
            const QSizeF size = QPageSize::size(row.id, QPageSize::Inch);
            return PaperSize{code, row.id, size.width(), size.height()};
        }
    }
    return std::nullopt;
}

int InchesToTenthsOfMillimetre(double inches) {
    return static_cast<int>(std::lround(inches * 254.0));
}

std::optional<QPageSize> PageSizeFor(int code, double length, double width) {
    if (code == 0) {
        if (length <= 0 || width <= 0)
            return std::nullopt;
        const QSizeF tenthsMm(InchesToTenthsOfMillimetre(width),
                              InchesToTenthsOfMillimetre(length));
        return QPageSize(tenthsMm / 10.0, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    }
    if (const auto paper = PaperForCode(code))
        return QPageSize(paper->id);
    return std::nullopt;
}

} // namespace platform

#pragma once

// The picture an image object holds: a bitmap (BMP, PNG and JPEG files are kept as a bitmap),
// an icon, or a Windows metafile, which is kept as its bytes and not drawn.
#include <QByteArray>
#include <QDataStream>
#include <QImage>
#include <QMetaType>
#include <QString>

#include <optional>

namespace layout {

struct TLayoutPicture {
    QString kind;    // "TBitmap", "TIcon", "TMetafile"; empty for no picture
    QByteArray data; // the graphic's file: a whole BMP file for a bitmap
    QImage image;    // what is drawn; null for a metafile

    bool IsEmpty() const { return kind.isEmpty(); }
    // The picture's size in pixels; empty for a metafile.
    QSize Size() const { return image.size(); }
    bool operator==(const TLayoutPicture& other) const {
        return kind == other.kind && data == other.data;
    }

    // A picture file: BMP, PNG or JPEG become a bitmap, ICO an icon, WMF a metafile. Nothing
    // when the file cannot be read as one of these.
    static std::optional<TLayoutPicture> FromFile(const QString& path);
    // The stored form: the kind as a short text, then for a bitmap a 4-byte byte count and
    // the BMP file, for the others their file.
    QByteArray StreamData() const;
    static std::optional<TLayoutPicture> FromStreamData(const QByteArray& bytes);
};

QDataStream& operator<<(QDataStream& out, const TLayoutPicture& picture);
QDataStream& operator>>(QDataStream& in, TLayoutPicture& picture);

} // namespace layout

Q_DECLARE_METATYPE(layout::TLayoutPicture)

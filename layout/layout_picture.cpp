#include "layout/layout_picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace layout {

namespace {

constexpr quint32 PlaceableMetafileKey = 0x9AC6CDD7;

// A metafile starts with the placeable header's key or with a plain metafile header.
bool isMetafile(const QByteArray& bytes) {
    if (bytes.size() < 18)
        return false;
    if (qFromLittleEndian<quint32>(bytes.constData()) == PlaceableMetafileKey)
        return true;
    const quint16 type = qFromLittleEndian<quint16>(bytes.constData());
    const quint16 headerWords = qFromLittleEndian<quint16>(bytes.constData() + 2);
    return (type == 1 || type == 2) && headerWords == 9;
}

std::optional<TLayoutPicture> bitmapFrom(const QImage& image) {
    if (image.isNull())
        return std::nullopt;
    TLayoutPicture picture{QStringLiteral("TBitmap"), {}, image};
    QBuffer buffer(&picture.data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP"))
        return std::nullopt;
    return picture;
}

} // namespace

std::optional<TLayoutPicture> TLayoutPicture::FromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (isMetafile(bytes))
        return TLayoutPicture{QStringLiteral("TMetafile"), bytes, {}};
    const QImage image = QImage::fromData(bytes);
    if (QFileInfo(path).suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) == 0 &&
        !image.isNull())
        return TLayoutPicture{QStringLiteral("TIcon"), bytes, image};
    return bitmapFrom(image);
}

QByteArray TLayoutPicture::StreamData() const {
    const QByteArray name = kind.toLatin1().left(255);
    QByteArray bytes = char(name.size()) + name;
    if (kind == QLatin1String("TBitmap")) {
        char count[4];
        qToLittleEndian(quint32(data.size()), count);
        bytes.append(count, 4);
    }
    return bytes + data;
}

std::optional<TLayoutPicture> TLayoutPicture::FromStreamData(const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes.size() < 1 + quint8(bytes[0]))
        return std::nullopt;
    const QString kind = QString::fromLatin1(bytes.mid(1, quint8(bytes[0])));
    QByteArray data = bytes.mid(1 + quint8(bytes[0]));
    if (kind == QLatin1String("TBitmap")) {
        if (data.size() < 4)
            return std::nullopt;
        const quint32 count = qFromLittleEndian<quint32>(data.constData());
        if (count > quint32(data.size() - 4))
            return std::nullopt;
        data = data.mid(4, qsizetype(count));
        const QImage image = QImage::fromData(data, "BMP");
        if (image.isNull())
            return std::nullopt;
        return TLayoutPicture{kind, data, image};
    }
    if (kind == QLatin1String("TMetafile"))
        return TLayoutPicture{kind, data, {}};
    if (kind == QLatin1String("TIcon")) {
        const QImage image = QImage::fromData(data);
        if (image.isNull())
            return std::nullopt;
        return TLayoutPicture{kind, data, image};
    }
    return std::nullopt;
}

QDataStream& operator<<(QDataStream& out, const TLayoutPicture& picture) {
    return out << picture.StreamData();
}

QDataStream& operator>>(QDataStream& in, TLayoutPicture& picture) {
    QByteArray bytes;
    in >> bytes;
    picture = TLayoutPicture::FromStreamData(bytes).value_or(TLayoutPicture{});
    return in;
}

} // namespace layout

#include "layout/object_filer.h"

#include "layout/base_panel.h"
#include "layout/component_names.h"
#include "layout/graphic_control.h"
#include "layout/handle.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace layout {

namespace {

QList<const TGGraphicControl*> constList(const QList<TGGraphicControl*>& objects) {
    return {objects.begin(), objects.end()};
}

} // namespace

void TGLabelObjectFiler::SaveLayout(const TGBasePanel& surface, const QString& path) {
    writeFile(path, [&](QIODevice& out) { format_.WriteList(out, constList(surface.Objects())); });
}

void TGLabelObjectFiler::SaveSelection(const TGHandle& handle, const QString& path) {
    if (handle.SelectedCount() > 0)
        writeFile(path,
                  [&](QIODevice& out) { format_.WriteList(out, constList(handle.Selection())); });
}

void TGLabelObjectFiler::SaveObject(const TGGraphicControl& object, const QString& path) {
    writeFile(path, [&](QIODevice& out) { format_.WriteList(out, {&object}); });
}

void TGLabelObjectFiler::SaveSections(const TGBasePanel& header, const TGBasePanel& detail,
                                      const QString& path, const TGBasePanel& footer,
                                      const SectionSettings& writeSettings) {
    writeFile(path, [&](QIODevice& out) {
        for (const TGBasePanel* band : {&header, &detail, &footer})
            format_.WriteList(out, constList(band->Objects()));
        writeSettings(out);
    });
}

QList<TGGraphicControl*> TGLabelObjectFiler::LoadSections(QObject& owner, TGBasePanel& header,
                                                          TGBasePanel& detail, TGBasePanel& footer,
                                                          const QString& path,
                                                          const SectionSettings& readSettings) {
    QFile file(path);
    if (!openFile(file))
        return {};
    QList<TGGraphicControl*> read;
    for (TGBasePanel* band : {&header, &detail, &footer})
        read += ReadList(file, owner, *band, {});
    readSettings(file);
    return read;
}

QList<TGGraphicControl*> TGLabelObjectFiler::LoadLayout(QObject& owner, TGBasePanel& surface,
                                                        const QString& path) {
    return readFile(owner, surface, path, {});
}

QList<TGGraphicControl*> TGLabelObjectFiler::PasteLayout(QObject& owner, TGBasePanel& surface,
                                                         const QString& path) {
    return readFile(owner, surface, path, {15, 15});
}

TGGraphicControl* TGLabelObjectFiler::CloneObject(const TGGraphicControl& object, QObject& owner,
                                                  TGBasePanel& surface) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    format_.WriteList(buffer, {&object});
    buffer.seek(0);
    const QList<TGGraphicControl*> read = ReadList(buffer, owner, surface, {});
    return read.isEmpty() ? nullptr : read.last();
}

QList<TGGraphicControl*> TGLabelObjectFiler::ReadList(QIODevice& in, QObject& owner,
                                                      TGBasePanel& surface, QPoint offset) {
    QList<TGGraphicControl*> read;
    TGGraphicControl* partial = nullptr; // made, its record not yet read to the end
    const ObjectMaker make = [&](const QString& className,
                                 const QString& storedName) -> TGGraphicControl& {
        TGGraphicControl* object = surface.CreateKnownObject(className);
        if (!object)
            throw LayoutError(QStringLiteral("Class %1 not found").arg(className));
        const QString name = UniqueComponentName(owner, QStringLiteral("Component"), 0);
        object->SetName(name.isEmpty() ? storedName : name);
        object->SetReading(true);
        surface.Adopt(object);
        partial = object;
        return *object;
    };
    const ObjectDone done = [&](TGGraphicControl& object) {
        object.SetBounds(object.BoundsRect().translated(offset));
        read << &object;
        partial = nullptr;
    };
    const auto finish = [&read] {
        for (TGGraphicControl* object : read) {
            object->SetReading(false);
            object->Loaded();
        }
    };
    try {
        format_.ReadList(in, make, done);
    } catch (...) {
        delete partial;
        finish();
        throw;
    }
    finish();
    return read;
}

void TGLabelObjectFiler::writeFile(const QString& path,
                                   const std::function<void(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw LayoutError(QStringLiteral("Cannot create %1: %2")
                              .arg(QDir::toNativeSeparators(path), file.errorString()));
    write(file);
    if (!file.commit())
        throw LayoutError(QStringLiteral("Cannot write %1: %2")
                              .arg(QDir::toNativeSeparators(path), file.errorString()));
}

QList<TGGraphicControl*> TGLabelObjectFiler::readFile(QObject& owner, TGBasePanel& surface,
                                                      const QString& path, QPoint offset) {
    QFile file(path);
    if (!openFile(file))
        return {};
    return ReadList(file, owner, surface, offset);
}

bool TGLabelObjectFiler::openFile(QFile& file) {
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly))
        throw LayoutError(QStringLiteral("Cannot open %1: %2")
                              .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    return true;
}

} // namespace layout

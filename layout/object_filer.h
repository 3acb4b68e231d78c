#pragma once

#include "layout/layout_format.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <functional>

class QFile;
class QIODevice;
class QObject;

namespace layout {

class TGBasePanel;
class TGGraphicControl;
class TGHandle;

// Stores and copies layouts through the installed layout format: whole surfaces, the
// selection or one object into files, and objects read back onto a surface. Objects read are
// renamed "Component" + the first free number from 0 (their stored name stays only when all
// are taken), and get their after-load notification once the list is read.
class TGLabelObjectFiler {
public:
    explicit TGLabelObjectFiler(LayoutFormat& format = CurrentLayoutFormat()) : format_(format) {}

    // Every object of the surface in z-order; the file is replaced whole or not at all.
    void SaveLayout(const TGBasePanel& surface, const QString& path);
    // Nothing when the selection is empty; else the selected objects in selection order.
    void SaveSelection(const TGHandle& handle, const QString& path);
    void SaveObject(const TGGraphicControl& object, const QString& path);
    // A report file: the header, detail and footer bands' objects, then the report's settings
    // list, which `settings` writes (or reads) in place.
    using SectionSettings = std::function<void(QIODevice& stream)>;
    void SaveSections(const TGBasePanel& header, const TGBasePanel& detail, const QString& path,
                      const TGBasePanel& footer, const SectionSettings& writeSettings);
    // Nothing when the file is missing. On damage the objects read completely stay.
    QList<TGGraphicControl*> LoadSections(QObject& owner, TGBasePanel& header, TGBasePanel& detail,
                                          TGBasePanel& footer, const QString& path,
                                          const SectionSettings& readSettings);
    // Nothing when the file is missing; else its objects onto the surface, their names unique
    // among the owner's components. Returns the objects read.
    QList<TGGraphicControl*> LoadLayout(QObject& owner, TGBasePanel& surface, const QString& path);
    // As LoadLayout, each object 15 pixels further right and down.
    QList<TGGraphicControl*> PasteLayout(QObject& owner, TGBasePanel& surface, const QString& path);
    // Writes the object into memory and reads it back onto the surface; returns the copy.
    TGGraphicControl* CloneObject(const TGGraphicControl& object, QObject& owner,
                                  TGBasePanel& surface);

    // The reading steps shared by files and memory: one list onto the surface, each object
    // moved by `offset`. On damage the objects read completely stay and the error is thrown.
    QList<TGGraphicControl*> ReadList(QIODevice& in, QObject& owner, TGBasePanel& surface,
                                      QPoint offset);

private:
    void writeFile(const QString& path, const std::function<void(QIODevice&)>& write);
    // Opens the file, or gives false when it is missing.
    bool openFile(QFile& file);
    QList<TGGraphicControl*> readFile(QObject& owner, TGBasePanel& surface, const QString& path,
                                      QPoint offset);

    LayoutFormat& format_;
};

} // namespace layout

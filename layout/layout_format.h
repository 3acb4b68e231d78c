#pragma once

// The seam through which layouts are stored: the surfaces' files, their clipboard file and the
// copy a clone makes all pass one list of objects at a time through the format installed here.
#include <QList>
#include <QString>

#include <functional>
#include <stdexcept>

class QIODevice;

namespace layout {

class TGGraphicControl;

// A layout that cannot be read or written, with a message fit to show.
class LayoutError : public std::runtime_error {
public:
    explicit LayoutError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// Makes the object of one record being read, from its class name and stored name; it throws
// LayoutError for a class the surface does not know.
using ObjectMaker =
    std::function<TGGraphicControl&(const QString& className, const QString& storedName)>;
// Takes an object once its record has been read completely.
using ObjectDone = std::function<void(TGGraphicControl& object)>;

// The byte format of a layout: one list of objects, each with its class name, its name and its
// stored properties.
class LayoutFormat {
public:
    virtual ~LayoutFormat() = default;
    // Writes one list of the objects, in the order given.
    virtual void WriteList(QIODevice& out, const QList<const TGGraphicControl*>& objects) = 0;
    // Reads one list: each record's object comes from `make`; its properties are set through
    // their setters in stored order; then it goes to `done` before the next record is read.
    // Damage throws LayoutError; the objects already done stay done.
    virtual void ReadList(QIODevice& in, const ObjectMaker& make, const ObjectDone& done) = 0;
};

// The format in use: the layout file format, unless another was installed.
LayoutFormat& CurrentLayoutFormat();
// Installs a format (not owned); nullptr restores the default.
void InstallLayoutFormat(LayoutFormat* format);

} // namespace layout

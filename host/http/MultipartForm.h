#pragma once
// Reading of multipart/form-data request bodies (HTML form uploads).

#include "HttpRequestParser.h"

#include <QByteArray>
#include <QList>

#include <optional>

struct TFormPart
{
    QByteArray name;     // the "name" of its Content-Disposition
    QByteArray fileName; // the "filename", when hasFileName
    bool hasFileName = false;
    QByteArray contentType; // its own Content-Type; empty when not given
    THttpHeaders headers;   // every header of the part, in order
    QByteArray data;
};

// The boundary parameter of a multipart Content-Type; empty when the type is
// not multipart/form-data or carries no boundary.
QByteArray FormBoundary(const QByteArray &contentType);

// The parts of a body in the order sent; nothing when the body is not well
// formed (no opening or closing delimiter, a part without a blank line after
// its headers, a part without a form-data disposition).
std::optional<QList<TFormPart>> ParseMultipartForm(const QByteArray &contentType, const QByteArray &body);

#pragma once

#include <QByteArrayView>
#include <QString>

// Why a Windows bitmap file cannot be read as it stands, or "" when it can. The picture
// reader fills what a file lacks with black or leaves it as its memory held, so a cut or
// malformed edited bitmap would be exported with rows made up; this names the fault
// instead: a header that is cut or holds impossible values, pixel data that ends before its
// last row (uncompressed), run-length codes that end before the end-of-bitmap code or leave
// pixels without a colour. Data that is no BMP (no "BM" at the start) is left to the
// readers of its own format.
QString bitmapFileProblem(QByteArrayView bytes);

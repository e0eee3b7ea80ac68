#pragma once

#include <QStringList>

// The name filters of a file dialog from a "description|pattern|description|pattern" list:
// "TexelSmithy font (*.tsm)|*.tsm|All files (*.*)|*.*" gives "TexelSmithy font (*.tsm)" and
// "All files (*)". A description's own trailing "(...)" is replaced by the patterns, and
// "*.*" becomes "*" so that names without a dot are listed too.
QStringList qtNameFilters(const QString &filter);

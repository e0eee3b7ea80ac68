#pragma once

#include <QDialog>

// The About box: the program's icon, name, version, description, legal notice and
// comments from the version record.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    // The comments text: description, the legal notice one sentence a line, comments.
    static QString commentsText();
};

// TfWinieta: the About window ("O programie"): the program's icon and title, the maker's
// name and address under the word PRODUCENT written downwards, the folder that holds the
// user's reports and templates (when given), and OK.
#pragma once

#include <QDialog>

class TfWinieta : public QDialog {
    Q_OBJECT
public:
    explicit TfWinieta(QWidget* rodzic = nullptr, const QString& folderRoboczy = QString());
};

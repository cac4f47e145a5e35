#pragma once

#include "names/extrapolation.h"

#include <QStringList>
#include <QWidget>

#include <optional>

class BookDataLine;
class Launchers;
class QComboBox;
class QFrame;
class QLineEdit;
class QtControlLoader;
struct BrowserLinks;

// "Utilities": the browser links and "Go", the list commands, the file manager and file
// search, and the File Info frame that the copied-file analysis fills.
class UtilitiesTab : public QWidget
{
    Q_OBJECT

public:
    UtilitiesTab(Launchers &launchers, QtControlLoader *controls, QWidget *parent = nullptr);

    // Fills the link box and the list of address prefixes, in step.
    void setLinks(const BrowserLinks &links);
    void selectLink(int position);

    FileInfo fileInfo() const;
    void showFileInfo(const FileInfo &info);
    // Shows under the fields what the analysed file says about itself, once it is read.
    void readBook(const QString &path);

signals:
    void makeListClicked();
    void exitClicked(int index);

private:
    void buildControls(QtControlLoader *controls);
    void onButtonMakeList(int index);
    void onButtonExplorer(int index);
    void goToWebPage();
    std::optional<QString> chosenPrefix() const;
    void showIndicator(Indicator indicator);
    void useBookData(const QString &author, const QString &title);

    Launchers &launchers_;
    QComboBox *linkChooser_ = nullptr;
    QStringList linkPrefixes_; // the address prefix of each link in linkChooser_
    QLineEdit *utilFile_ = nullptr;
    QLineEdit *utilTitle_ = nullptr;
    QLineEdit *utilAuthor_ = nullptr;
    QFrame *matchIndicator_ = nullptr;
    BookDataLine *bookData_ = nullptr;
    Indicator indicator_ = Indicator::Grey;
};

// shelvana-names [--embedded] [DATABASE]: analyses one path per line from standard input as
// the clipboard analysis does, and prints file, author, title and indicator per line; with
// --embedded also the author and title the book file itself carries.
#include "books/book_reader.h"
#include "comments/comment_data_source.h"
#include "names/extrapolation.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

constexpr char kUsage[] = "Usage: shelvana-names [--embedded] [DATABASE]\n"
                          "Reads one path per line from standard input and prints, tab-separated,\n"
                          "the file, author and title fields and the indicator (green or grey).\n"
                          "--embedded adds two fields: the author and the title read from the book\n"
                          "file itself (EPUB, PDF, MOBI/AZW3, FB2), empty when it says nothing.\n"
                          "A tab inside a field is printed as \\t and a backslash as \\\\.\n";

const QString kEmbeddedOption = QStringLiteral("--embedded");

QString IndicatorName(Indicator indicator)
{
    return indicator == Indicator::Green ? QStringLiteral("green") : QStringLiteral("grey");
}

// A name may hold a tab: shown as "\t" (and a backslash as "\\"), every line keeps four fields.
QString Field(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return escaped;
}

// Fields carry over from line to line, as on the window; the book's own data belongs to the
// line's file alone.
void AnalyseLines(CommentLookup *lookup, bool embedded)
{
    QTextStream in(stdin);
    QTextStream out(stdout);
    FileInfo info;
    QString line;
    while (in.readLineInto(&line)) {
        info = ExtrapolateAuthorTitle(line, info, lookup).info;
        out << Field(info.file) << '\t' << Field(info.author) << '\t' << Field(info.title) << '\t'
            << IndicatorName(info.indicator);
        if (embedded) {
            const BookMetadata book = ReadBookMetadata(line);
            out << '\t' << Field(book.authorText()) << '\t' << Field(book.title);
        }
        out << '\n';
        out.flush();
    }
}

int Fail(const QString &message)
{
    QTextStream(stderr) << "shelvana-names: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool embedded = arguments.removeAll(kEmbeddedOption) > 0;
    if (arguments.size() == 1 && (arguments[0] == QLatin1String("-h") || arguments[0] == QLatin1String("--help"))) {
        QTextStream(stdout) << kUsage;
        return 0;
    }
    if (arguments.size() > 1) {
        QTextStream(stderr) << kUsage;
        return 2;
    }
    if (arguments.isEmpty()) {
        AnalyseLines(nullptr, embedded);
        return 0;
    }

    const QString databasePath = arguments[0];
    CommentDataSource source(databasePath);
    if (!source.open()) {
        const QString reason = source.errorString();
        return Fail(reason.isEmpty() ? QStringLiteral("cannot open database %1").arg(databasePath) : reason);
    }
    AnalyseLines(&source, embedded);
    return 0;
}

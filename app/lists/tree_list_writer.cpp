#include "lists/tree_list_writer.h"

#include "base/text_lines.h"
#include "lists/entry_names.h"
#include "lists/list_escapes.h"
#include "lists/list_file_names.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace {

QString ScriptName(const QString &name)
{
    return ScriptStringText(StripApostrophes(name));
}

// Names that a folder's variable must not take: the script language's reserved words,
// its built-in objects, the browser window's own properties that a page script relies
// on or that act when assigned ("location" would leave the page), and the globals the
// page sets up before its statements. The page script's own names are added from its text.
QSet<QString> ReservedScriptNames()
{
    static const char *const kNames[] = {
        // reserved words and literals
        "await", "break", "case", "catch", "class", "const", "continue", "debugger", "default", "delete", "do",
        "else", "enum", "export", "extends", "false", "finally", "for", "function", "if", "implements", "import",
        "in", "instanceof", "interface", "let", "new", "null", "package", "private", "protected", "public",
        "return", "static", "super", "switch", "this", "throw", "true", "try", "typeof", "var", "void", "while",
        "with", "yield", "async", "of", "get", "set", "arguments", "eval", "undefined", "NaN", "Infinity",
        // built-in objects and functions
        "globalThis", "Object", "Function", "Array", "Number", "Boolean", "String", "Symbol", "BigInt", "Math",
        "JSON", "Date", "RegExp", "Error", "EvalError", "RangeError", "ReferenceError", "SyntaxError",
        "TypeError", "URIError", "AggregateError", "Promise", "Proxy", "Reflect", "Map", "Set", "WeakMap",
        "WeakSet", "WeakRef", "FinalizationRegistry", "ArrayBuffer", "SharedArrayBuffer", "DataView", "Atomics",
        "Int8Array", "Uint8Array", "Uint8ClampedArray", "Int16Array", "Uint16Array", "Int32Array", "Uint32Array",
        "Float32Array", "Float64Array", "BigInt64Array", "BigUint64Array", "Intl", "parseInt", "parseFloat",
        "isNaN", "isFinite", "decodeURI", "decodeURIComponent", "encodeURI", "encodeURIComponent", "escape",
        "unescape", "constructor", "hasOwnProperty", "isPrototypeOf", "propertyIsEnumerable", "toLocaleString",
        "toString", "valueOf", "__proto__", "__defineGetter__", "__defineSetter__", "__lookupGetter__",
        "__lookupSetter__",
        // the browser window
        "window", "self", "document", "location", "top", "parent", "frames", "opener", "name", "status",
        "history", "navigator", "length", "closed", "origin", "event", "external", "screen", "frameElement",
        "customElements", "locationbar", "menubar", "personalbar", "scrollbars", "statusbar", "toolbar",
        "visualViewport", "crypto", "performance", "localStorage", "sessionStorage", "indexedDB", "caches",
        "console", "alert", "confirm", "prompt", "print", "open", "close", "stop", "focus", "blur", "setTimeout",
        "clearTimeout", "setInterval", "clearInterval", "requestAnimationFrame", "cancelAnimationFrame",
        "queueMicrotask", "structuredClone", "fetch", "getComputedStyle", "getSelection", "Option", "Image",
        "Audio", "Node", "Element", "Event",
        // set up by the page before its statements, and called by it
        "folders", "menuIndex", "selection", "selectionIndex", "Folder", "Add", "init", "toggleItem",
        "spacerOption",
    };
    QSet<QString> names;
    for (const char *name : kNames)
        names.insert(QLatin1String(name));
    return names;
}

// Every name the page script declares at its top level or inside: a folder variable
// of the same name would replace it.
QSet<QString> DeclaredNames(const QStringList &scriptLines)
{
    static const QRegularExpression declaration(QStringLiteral("\\b(?:function|var|let|const)\\s+([A-Za-z_$][\\w$]*)"));
    QSet<QString> names;
    for (const QString &line : scriptLines) {
        for (const QRegularExpressionMatch &match : declaration.globalMatch(line))
            names.insert(match.captured(1));
    }
    return names;
}

// Event handler properties of the window ("onload", "onchange", ...) act on assignment.
bool IsEventHandlerName(const QString &name)
{
    return name.size() > 2 && name.startsWith(QLatin1String("on"))
           && std::all_of(name.cbegin() + 2, name.cend(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

} // namespace

TreeListWriter::TreeListWriter(const QString &scriptPath, QChar separator)
    : ListFileWriter(kTreeListName, Encoding::Utf8WithByteOrderMark),
      scriptPath_(scriptPath),
      separator_(separator)
{
}

bool TreeListWriter::openList(const QString &listDirectory, const QString &title, const QString &topDirectory)
{
    // Without its script the page cannot work: stop before anything is replaced.
    if (!readScript()) {
        abandon();
        return false;
    }
    return ListFileWriter::openList(listDirectory, title, topDirectory);
}

bool TreeListWriter::readScript()
{
    scriptLines_.clear();
    QFile script(scriptPath_);
    if (script.open(QIODevice::ReadOnly)) {
        const QByteArray text = script.readAll();
        if (script.error() == QFileDevice::NoError) {
            scriptLines_ = SplitTextLines(QString::fromUtf8(text));
            reservedNames_ = ReservedScriptNames() + DeclaredNames(scriptLines_);
            return true;
        }
    }
    setErrorString(QStringLiteral("Cannot read the page script \"%1\": %2").arg(scriptPath_, script.errorString()));
    return false;
}

void TreeListWriter::writeHead(const QString &, const QString &topDirectory)
{
    topPath_ = TrimmedPath(topDirectory, separator_);
    declaredIdentifiers_.clear();
    usedIdentifiers_.clear();
    topIdentifier_ = declareFolder(topDirectory);

    writeHtmlDoctype();
    writeLine(QStringLiteral("<HTML><HEAD><TITLE>Shelvana Treeview List</TITLE>"));
    writeLine(QStringLiteral("<SCRIPT>"));
    writeLine(QStringLiteral("folders=new Array();"));
    writeLine(QStringLiteral("menuIndex =0;"));
    writeLine(QStringLiteral("selection = -1;"));
    writeLine(QStringLiteral("selectionIndex = -1;"));
    writeLine(QString());
    writeLine(topIdentifier_ + QStringLiteral(" = Folder('") + shownFolderName(topDirectory) + QStringLiteral("',false);"));
}

void TreeListWriter::startDirectory(const QString &directory, int)
{
    currentDirectory_ = directory;
    if (TrimmedPath(directory, separator_) == topPath_) {
        currentIdentifier_ = topIdentifier_;
        return;
    }
    const QString parent = declaredIdentifier(ParentPath(directory, separator_));
    currentIdentifier_ = declareFolder(directory);
    writeLine({currentIdentifier_, u" = Add (", parent, u", '", shownFolderName(directory), u"');"});
}

void TreeListWriter::listFile(const QString &directory, const QString &fileName)
{
    // Files come right after their directory's start: spare the lookup for each of them.
    const bool current = directory.isSharedWith(currentDirectory_) || directory == currentDirectory_;
    const QString identifier = current ? currentIdentifier_ : declaredIdentifier(directory);
    writeLine({u"Add(", identifier, u",'", ScriptName(fileName), u"');"});
}

void TreeListWriter::endDirectory(const QString &, int)
{
}

void TreeListWriter::writeTail(qint32 files, qint32 directories, const QString &title)
{
    writeLine(QString());
    writeLine(QString());
    for (const QString &line : std::as_const(scriptLines_))
        writeLine(QString(line).replace(QLatin1String("basefolder"), topIdentifier_));
    writeLine(QStringLiteral("<BODY bgColor=white onload=init()>"));
    writeLine(QStringLiteral("<FORM><TABLE><TBODY><TR>"));
    writeLine(QStringLiteral("<TD align=left vAlign=top>"));
    writeLine(QStringLiteral("<H2>") + HtmlText(title) + QStringLiteral("</H2>"));
    writeLine(QStringLiteral("<SELECT multiple name=menu"));
    writeLine(QStringLiteral("onchange=toggleItem(this.options[this.options.selectedIndex].value)"));
    writeLine(QStringLiteral("size=30>"));
    writeLine(QStringLiteral("<SCRIPT>spacerOption(24)</SCRIPT>"));
    writeLine(QStringLiteral("</SELECT> </TD></TR></TBODY></TABLE></FORM><PRE></PRE>"));
    writeHtmlTotals(files, directories);
    writeLine(QStringLiteral("</BODY></HTML>"));
}

QString TreeListWriter::shownFolderName(const QString &directory) const
{
    return ScriptName(LastPathPart(directory, separator_));
}

QString TreeListWriter::declaredIdentifier(const QString &directory) const
{
    const QString trimmed = TrimmedPath(directory, separator_);
    const auto found = declaredIdentifiers_.constFind(trimmed);
    return found != declaredIdentifiers_.cend() ? *found : FolderIdentifier(directory, separator_);
}

QString TreeListWriter::declareFolder(const QString &directory)
{
    // Looked up and added in one go: each lookup hashes the whole path.
    QString &declared = declaredIdentifiers_[TrimmedPath(directory, separator_)];
    if (!declared.isEmpty())
        return declared;
    const QString plain = FolderIdentifier(directory, separator_);
    QString identifier = plain;
    for (int suffix = 2; !isFreeIdentifier(identifier); ++suffix)
        identifier = plain + QLatin1Char('_') + QString::number(suffix);
    usedIdentifiers_.insert(identifier);
    declared = identifier;
    return identifier;
}

bool TreeListWriter::isFreeIdentifier(const QString &identifier) const
{
    return !usedIdentifiers_.contains(identifier) && !reservedNames_.contains(identifier)
           && !IsEventHandlerName(identifier);
}

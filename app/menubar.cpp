#include "app/menubar.h"

#include <QMenu>

namespace quil2a {

namespace {
struct Row {
    const char* name;
    const char* parent;  // "" for the bar itself
    const char* caption;
    QKeySequence shortcut;
    bool submenu;
};
}  // namespace

MenuBarOSX::MenuBarOSX()
{
    setObjectName(QStringLiteral("MenuBarOSX"));
    const Row rows[] = {
        {"FileMenu", "", "", {}, true},
        {"FileSaveMap", "FileMenu", "Save Map...", {}, true},
        {"SaveMapAsDisplayed", "FileSaveMap", "As Displayed", {}, false},
        {"SaveMapFiner", "FileSaveMap", "Finer", {}, false},
        {"SaveMapFinest", "FileSaveMap", "Finest", {}, false},
        {"FilePrintMap", "FileMenu", "Print Map...", {}, true},
        {"PrintMapAsDisplayed", "FilePrintMap", "As Displayed", {}, false},
        {"PrintMapFiner", "FilePrintMap", "Finer", {}, false},
        {"PrintMapFinest", "FilePrintMap", "Finest", {}, false},
        {"UntitledMenu2", "FileMenu", "-", {}, false},
        {"FileQuit", "FileMenu", "Quit", QKeySequence(Qt::CTRL | Qt::Key_Q), false},
        {"EditMenu", "", ".", {}, true},
        {"EditCopy", "EditMenu", "Copy", QKeySequence(Qt::CTRL | Qt::Key_C), false},
        {"WindowMenu", "", ".", {}, true},
        {"WindowZoomIn", "WindowMenu", "Zoom In", QKeySequence(Qt::CTRL | Qt::Key_I), false},
        {"WindowZoomOut", "WindowMenu", "Zoom Out", QKeySequence(Qt::CTRL | Qt::Key_O), false},
        {"UntitledMenu1", "WindowMenu", "-", {}, false},
        {"WindowMainMap", "WindowMenu", "Main Map", QKeySequence(Qt::CTRL | Qt::Key_1), false},
        {"WindowNarrate", "WindowMenu", "Narrate", QKeySequence(Qt::CTRL | Qt::Key_2), false},
        {"WindowOptions", "WindowMenu", "Options", QKeySequence(Qt::CTRL | Qt::Key_3), false},
        {"WindowPrefs", "WindowMenu", "Preferences", QKeySequence(Qt::CTRL | Qt::Key_Comma), false},
        {"HelpMenu", "", ".", {}, true},
        {"HelpUsing", "HelpMenu", "Using Quillmere", {}, false},
        {"UntitledMenu0", "HelpMenu", "-", {}, false},
        {"HelpAbout", "HelpMenu", "About", {}, false},
    };
    std::map<QString, QMenu*> menus;
    for (const Row& r : rows) {
        const QString name = QString::fromLatin1(r.name);
        const QString parentName = QString::fromLatin1(r.parent);
        QAction* action = nullptr;
        if (QString::fromLatin1(r.caption) == QLatin1String("-")) {
            action = menus[parentName]->addSeparator();
            action->setObjectName(name);
            continue;
        }
        if (r.submenu) {
            QMenu* menu = parentName.isEmpty() ? addMenu(QString()) : menus[parentName]->addMenu(QString());
            menu->setObjectName(name);
            menus[name] = menu;
            action = menu->menuAction();
        } else {
            action = menus[parentName]->addAction(QString());
            action->setShortcut(r.shortcut);
        }
        action->setObjectName(name);
        setCaption(action, QString::fromLatin1(r.caption));
        if (name == QLatin1String("FileQuit")) action->setMenuRole(QAction::QuitRole);
        else if (name == QLatin1String("WindowPrefs")) action->setMenuRole(QAction::PreferencesRole);
        else action->setMenuRole(QAction::NoRole);
        items_[name] = action;
        names_.push_back(name);
    }
}

QAction* MenuBarOSX::item(const QString& name) const
{
    auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second;
}

void MenuBarOSX::setCaption(QAction* item, const QString& text)
{
    if (!item) return;
    QString escaped = text;
    escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
    item->setText(escaped);
}

}  // namespace quil2a

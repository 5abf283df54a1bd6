// The one menu bar: File, Edit, Window and Help, every item found by name.
#pragma once

#include <QMenuBar>
#include <map>

namespace quil2a {

class MenuBarOSX : public QMenuBar {
    Q_OBJECT
public:
    MenuBarOSX();

    // The item of that name anywhere in the tree (for a menu, its own entry); null if none.
    QAction* item(const QString& name) const;
    // Every named item but the separators, in creation order.
    const std::vector<QString>& itemNames() const { return names_; }

    // Sets a caption shown as given (an ampersand stays an ampersand).
    static void setCaption(QAction* item, const QString& text);

private:
    std::map<QString, QAction*> items_;
    std::vector<QString> names_;
};

}  // namespace quil2a

#include "app/dialog_template.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstdlib>

namespace quirvane::app {
namespace {

const char kResourcePrefix[] = ":/quirvane/";

[[noreturn]] void Broken(const QString& what) {
    std::fprintf(stderr, "quirvane: resources/dialogs.json: %s\n", qPrintable(what));
    std::abort();
}

ControlKind KindOf(const QString& name) {
    static const QHash<QString, ControlKind> kinds{
        {"label", ControlKind::Label},   {"edit", ControlKind::Edit},
        {"button", ControlKind::Button}, {"defaultbutton", ControlKind::DefaultButton},
        {"radio", ControlKind::Radio},   {"check", ControlKind::Check},
        {"list", ControlKind::List},     {"frame", ControlKind::Frame},
        {"group", ControlKind::Group},   {"icon", ControlKind::Icon},
    };
    const auto found = kinds.find(name);
    if (found == kinds.end()) {
        Broken("unknown control kind \"" + name + "\"");
    }
    return *found;
}

QRect RectOf(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    if (a.size() != 4) {
        Broken("a rectangle needs four numbers");
    }
    return QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
}

DialogTemplate TemplateOf(const QJsonObject& o) {
    DialogTemplate t;
    t.id = o["id"].toInt();
    t.caption = o["caption"].toString();
    const QJsonObject font = o["font"].toObject();
    t.fontFamily = font["family"].toString();
    t.fontPoints = font["points"].toInt(9);
    const QJsonArray size = o["size"].toArray();
    t.size = QSize(size[0].toInt(), size[1].toInt());
    for (const QJsonValue& v : o["controls"].toArray()) {
        const QJsonObject c = v.toObject();
        ControlTemplate control;
        control.id = c["id"].toInt(kNoId);
        control.kind = KindOf(c["kind"].toString());
        control.caption = c["caption"].toString();
        control.rect = RectOf(c["rect"]);
        for (const QJsonValue& s : c["styles"].toArray()) {
            control.styles.append(s.toString());
        }
        t.controls.append(control);
    }
    return t;
}

// The whole file, read once.
struct Resources {
    QHash<int, DialogTemplate> dialogs;
    QHash<int, QString> strings;
    QHash<int, QStringList> icons;
};

const Resources& TheResources() {
    static const Resources resources = [] {
        QFile file(QString(kResourcePrefix) + "dialogs.json");
        if (!file.open(QIODevice::ReadOnly)) {
            Broken("not compiled into the program");
        }
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
        if (document.isNull()) {
            Broken(error.errorString());
        }
        const QJsonObject root = document.object();
        Resources r;
        for (const QJsonValue& v : root["dialogs"].toArray()) {
            const DialogTemplate t = TemplateOf(v.toObject());
            r.dialogs.insert(t.id, t);
        }
        const QJsonObject strings = root["strings"].toObject();
        for (auto it = strings.begin(); it != strings.end(); ++it) {
            r.strings.insert(it.key().toInt(), it.value().toString());
        }
        const QJsonObject icons = root["icons"].toObject();
        for (auto it = icons.begin(); it != icons.end(); ++it) {
            QStringList files;
            for (const QJsonValue& f : it.value().toArray()) {
                files.append(QString(kResourcePrefix) + f.toString());
            }
            r.icons.insert(it.key().toInt(), files);
        }
        return r;
    }();
    return resources;
}

}  // namespace

const ControlTemplate* DialogTemplate::Find(int controlId) const {
    for (const ControlTemplate& c : controls) {
        if (c.id == controlId) {
            return &c;
        }
    }
    return nullptr;
}

const DialogTemplate& LoadDialogTemplate(int id) {
    const auto& dialogs = TheResources().dialogs;
    const auto found = dialogs.find(id);
    if (found == dialogs.end()) {
        Broken(QString("no dialog template %1").arg(id));
    }
    return *found;
}

QString LoadResourceString(int id) {
    return TheResources().strings.value(id);
}

QIcon LoadResourceIcon(int id) {
    QIcon icon;
    for (const QString& file : TheResources().icons.value(id)) {
        icon.addFile(file);
    }
    return icon;
}

}  // namespace quirvane::app

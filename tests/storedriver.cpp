// A small command-line driver of the stores, for tests that need a second
// process or other privileges. It works in its current directory.
//
//   storedriver add LIST TEXT            add one task
//   storedriver append LIST PREFIX COUNT add PREFIX0 .. PREFIX<COUNT-1>
//
// LIST is "backlog" or a sprint number. Prints the store's error and exits
// with 1 when a call fails.

#include "productbacklog.h"
#include "sprint.h"

#include <QCoreApplication>
#include <QTextStream>

#include <memory>

namespace {

// The two stores behind one interface, for this driver only.
struct List {
    std::unique_ptr<productbacklog> backlog;
    std::unique_ptr<Sprint> sprint;

    bool add(const QString &text) { return backlog ? backlog->addItem(text) : sprint->addTask(text); }
    QString errorString() const { return backlog ? backlog->errorString() : sprint->errorString(); }
};

int failWith(const QString &message)
{
    QTextStream(stderr) << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3)
        return failWith(QStringLiteral("usage: storedriver add LIST TEXT | append LIST PREFIX COUNT"));

    List list;
    if (args.at(1) == QLatin1String("backlog"))
        list.backlog = std::make_unique<productbacklog>();
    else
        list.sprint = std::make_unique<Sprint>(args.at(1).toInt());
    if (!list.errorString().isEmpty())
        return failWith(list.errorString());

    const QString &command = args.at(0);
    if (command == QLatin1String("add"))
        return list.add(args.at(2)) ? 0 : failWith(list.errorString());
    if (command == QLatin1String("append") && args.size() == 4) {
        const int count = args.at(3).toInt();
        for (int i = 0; i < count; ++i) {
            if (!list.add(args.at(2) + QString::number(i)))
                return failWith(list.errorString());
        }
        return 0;
    }
    return failWith(QStringLiteral("unknown command: ") + command);
}

#pragma once
// kvelta-web started for a test on 127.0.0.1, on a free port; stopped with SIGTERM when the object goes.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace kvelta::test {

class WebServer {
public:
    explicit WebServer(const QStringList& arguments = {})
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(KVELTA_WEB), QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")}
                                                       + arguments);
        // The first line names the address: "kvelta-web: listening on http://127.0.0.1:PORT/".
        while (process_.state() != QProcess::NotRunning && !process_.canReadLine())
            process_.waitForReadyRead(1000);
        const QString line = QString::fromUtf8(process_.readLine()).trimmed();
        const qsizetype colon = line.lastIndexOf(QLatin1Char(':'));
        port_ = line.mid(colon + 1).chopped(1).toInt();
        EXPECT_GT(port_, 0) << line.toStdString();
    }
    ~WebServer()
    {
        process_.terminate();
        if (!process_.waitForFinished(20000))
            process_.kill();
        EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process_.exitCode(), 0);
    }
    int port() const { return port_; }
    qint64 pid() const { return process_.processId(); }
    bool running() const { return process_.state() == QProcess::Running; }

private:
    QProcess process_;
    int port_ = 0;
};

}  // namespace kvelta::test

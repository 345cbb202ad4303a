#pragma once
// Helpers of the application-shell tests: a temporary settings file and a main window over it.

#include "app/main_form.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kvelta::test {

class TempSettings {
public:
    TempSettings() { EXPECT_TRUE(dir_.isValid()); }
    QString path() const { return dir_.filePath(QStringLiteral("Kvelta.ini")); }
    QString dirPath() const { return dir_.path(); }
    void write(const QByteArray& text) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    QByteArray read() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool exists() const { return QFile::exists(path()); }

private:
    QTemporaryDir dir_;
};

}  // namespace kvelta::test

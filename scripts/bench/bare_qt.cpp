// The yardstick of scripts/bench.sh: a Qt program that starts a QCoreApplication and quits.
#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return 0;
}

#include "ellipsoid/meridian_arc.h"
#include "ellipsoid/tm_form.h"
#include "frame/errors.h"
#include "support/kvelta_test.h"

#include <QLineEdit>
#include <map>

namespace kvelta {
namespace {

using test::SeparatorScope;
using test::Str;

class TextInputs : public Inputs {
public:
    explicit TextInputs(std::map<QString, QString> texts) : texts_(std::move(texts)) {}
    QString text(const QString& name) const override { return texts_.at(name); }

private:
    std::map<QString, QString> texts_;
};

ResultTable Compute(const QStringList& b1, const QStringList& b2)
{
    ResultTable table(4, 18);
    MeridianArcLabels(table);
    TextInputs in({{"Edit3", b1[0]}, {"Edit4", b1[1]}, {"Edit5", b1[2]},
                   {"Edit6", b2[0]}, {"Edit7", b2[1]}, {"Edit8", b2[2]}});
    ComputeMeridianArc(ReadMeridianArcLatitudes(in), table);
    return table;
}

TEST(MeridianArc, Dump)
{
    SeparatorScope scope(QLatin1Char('.'));
    ResultTable t = Compute({"50", "0", "0"}, {"51", "0", "0"});
    for (int r = 0; r < 18; ++r)
        printf("%-20s %-22s %-20s %s\n", Str(t.cell(0, r)).c_str(), Str(t.cell(1, r)).c_str(),
               Str(t.cell(2, r)).c_str(), Str(t.cell(3, r)).c_str());
    t = Compute({"0", "0", "0"}, {"1", "0", "0"});
    printf("%s\n", Str(t.cell(3, 16)).c_str());
}

}  // namespace
}  // namespace kvelta

#pragma once
// A folder a batch writes its reports or answer keys into, held for one run: locked against a
// second run, the earlier run's files moved out of the way before the first new one is written,
// and marked incomplete (INCOMPLETE.txt) until the run ends. So whatever stops a run (a kill, a
// full disk), every file present belongs to one run, or the folder says it does not.

#include <QDir>
#include <QString>

namespace kvelta {

class RunFolder {
public:
    // Makes the folder when missing, locks it, removes what a dead run left behind and moves the
    // earlier run aside. Throws KveltaError when another run holds the folder or it cannot be
    // prepared.
    explicit RunFolder(const QDir& dir);
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    // The run wrote everything it meant to (summary.csv last): the mark goes.
    void finish();

    static const QString kIncompleteMark;  // "INCOMPLETE.txt"

private:
    QDir dir_;
    int lock_ = -1;           // the folder, open and locked while the run lasts
};

// Whether a file name is one a run writes: "NNN.txt" or "NNN-….txt" (docx, pdf), summary.csv
// and .xlsx, answer-book.pdf, cards.pdf.
bool IsRunFile(const QString& fileName);

}  // namespace kvelta

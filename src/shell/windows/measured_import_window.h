#pragma once

#include "measured/measured_log.h"

#include <atomic>
#include <cstdint>
#include <memory>

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QThread;
class QTimer;

namespace hygrova {

// The import window: reads a measurement log on a worker thread with a progress bar and a
// cancel button, then shows what was read (the readings, the failed rows with their lines).
// The chart changes only when the read has finished: Imported hands the log on; a cancel or
// a log without readings leaves everything as it was.
class MeasuredImportWindow : public QDialog {
    Q_OBJECT

public:
    explicit MeasuredImportWindow(QWidget* parent = nullptr);
    ~MeasuredImportWindow() override;

    // Starts reading `path` with `options` (the chart's pressure). Once only.
    void Start(const QString& path, const LogOptions& options);
    bool IsReading() const;

    QLabel* Label1 = nullptr;              // the file being read, then the outcome
    QProgressBar* ProgressBar1 = nullptr;  // share of the file's bytes read
    QPlainTextEdit* Text1 = nullptr;       // the summary after the read
    QPushButton* Command1 = nullptr;       // "取消" while reading, "关闭" after

signals:
    // A finished read with at least one reading.
    void Imported(std::shared_ptr<const MeasuredLog> log);

public slots:
    void Command1_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void Timer1_Timer();
    void Reader_Finished();

private:
    // Asks the reader to stop and waits for it.
    void StopReading();

    QTimer* Timer1 = nullptr;  // polls the reader's progress
    QThread* m_reader = nullptr;
    std::atomic<bool> m_cancel{false};
    std::atomic<std::uint64_t> m_bytesRead{0};
    std::uint64_t m_fileBytes = 0;
    std::shared_ptr<MeasuredLog> m_log;
};

// What the import window tells after a read: the readings imported, the failed rows counted
// with the first few messages (each naming its line), flagged rows and blank lines.
QString ImportSummaryText(const MeasuredLog& log);

}  // namespace hygrova

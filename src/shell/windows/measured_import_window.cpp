#include "shell/windows/measured_import_window.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace hygrova {

QString ImportSummaryText(const MeasuredLog& log)
{
    const LogSummary& summary = log.summary;
    if (!summary.headerProblem.empty()) {
        return QStringLiteral("无法导入：") + QString::fromStdString(summary.headerProblem);
    }
    QString text = QStringLiteral("已导入 %1 个读数（共 %2 行数据）。")
                       .arg(log.readings.size())
                       .arg(summary.rows);
    if (summary.failedRows > 0) {
        text += QStringLiteral("\n%1 行无法读取，未导入；前 %2 行：")
                    .arg(summary.failedRows)
                    .arg(log.failures.size());
        for (const std::string& failure : log.failures) {
            text += QStringLiteral("\n  ") + QString::fromStdString(failure);
        }
    }
    if (summary.flaggedRows > 0) {
        text += QStringLiteral("\n%1 行带有标记（已导入），首行：").arg(summary.flaggedRows) +
                QString::fromStdString(summary.firstFlagged);
    }
    if (summary.blankLines > 0) {
        text += QStringLiteral("\n跳过空行 %1 行。").arg(summary.blankLines);
    }
    return text;
}

MeasuredImportWindow::MeasuredImportWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MeasuredImportWindow"));
    setWindowTitle(QStringLiteral("读取测量数据"));
    setAttribute(Qt::WA_DeleteOnClose);
    Label1 = new QLabel(this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 1000);
    Text1 = new QPlainTextEdit(this);
    Text1->setReadOnly(true);
    Text1->hide();
    Command1 = new QPushButton(QStringLiteral("取消"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Text1);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    resize(480, 140);
    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &MeasuredImportWindow::Timer1_Timer);
    connect(Command1, &QPushButton::clicked, this, &MeasuredImportWindow::Command1_Click);
}

MeasuredImportWindow::~MeasuredImportWindow()
{
    StopReading();
}

void MeasuredImportWindow::Start(const QString& path, const LogOptions& options)
{
    m_fileBytes = static_cast<std::uint64_t>(QFileInfo(path).size());
    Label1->setText(QStringLiteral("正在读取 %1 …").arg(QFileInfo(path).fileName()));
    m_log = std::make_shared<MeasuredLog>();
    const std::string file = path.toStdString();
    m_reader = QThread::create([this, file, options, log = m_log] {
        *log = ReadMeasuredFile(file, options, {{}, &m_cancel}, &m_bytesRead);
    });
    connect(m_reader, &QThread::finished, this, &MeasuredImportWindow::Reader_Finished);
    m_reader->start();
    Timer1->start();
}

bool MeasuredImportWindow::IsReading() const
{
    return m_reader && m_reader->isRunning();
}

void MeasuredImportWindow::Command1_Click()
{
    close();
}

void MeasuredImportWindow::closeEvent(QCloseEvent* event)
{
    StopReading();
    event->accept();
}

void MeasuredImportWindow::Timer1_Timer()
{
    if (m_fileBytes > 0) {
        ProgressBar1->setValue(static_cast<int>(1000 * std::min(m_bytesRead.load(), m_fileBytes) /
                                                m_fileBytes));
    }
}

void MeasuredImportWindow::Reader_Finished()
{
    Timer1->stop();
    if (!m_reader) {
        return;
    }
    m_reader->deleteLater();
    m_reader = nullptr;
    if (m_log->cancelled) {
        return;
    }
    ProgressBar1->setValue(ProgressBar1->maximum());
    Label1->setText(m_log->readings.empty() ? QStringLiteral("没有导入读数。")
                                            : QStringLiteral("读取完毕。"));
    Text1->setPlainText(ImportSummaryText(*m_log));
    Text1->show();
    Command1->setText(QStringLiteral("关闭"));
    resize(width(), 260);
    if (!m_log->readings.empty()) {
        emit Imported(m_log);
    }
}

void MeasuredImportWindow::StopReading()
{
    if (!m_reader) {
        return;
    }
    m_cancel = true;
    m_reader->wait();
    delete m_reader;
    m_reader = nullptr;
    Timer1->stop();
}

}  // namespace hygrova

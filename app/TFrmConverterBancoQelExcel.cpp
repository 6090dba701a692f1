#include "TFrmConverterBancoQelExcel.h"

#include "Dialogs.h"
#include "FullImportRun.h"
#include "LoadSpreadsheet.h"
#include "PreviewViews.h"
#include "ProductPreview.h"
#include "ProductRange.h"
#include "SourceFile.h"
#include "SourceTypes.h"
#include "TextFile.h"
#include "WindowViews.h"
#include "ClientLibrary.h"
#include "platform/Error.h"
#include "platform/InterruptSignals.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QStringListModel>
#include <QTimer>

#include <exception>

TFrmConverterBancoQelExcel::TFrmConverterBancoQelExcel(const AppSettings& settings,
                                                       Dialogs& dialogs,
                                                       const RegionalSettings& regional,
                                                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      qrproduto(eConexao), query(eConexao), query2(eConexao), query3(eConexao),
      requestQuit([] { QMetaObject::invokeMethod(qApp, &QCoreApplication::quit,
                                                 Qt::QueuedConnection); }),
      m_dialogs(dialogs), m_regional(regional)
{
    setObjectName(QStringLiteral("FrmConverterBancoQelExcel"));
    setWindowTitle(QStringLiteral("Converter Banco 2.0"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(610, 457);
    move(342, 165);

    buildViews();
    buildPanel();
    buildButtons();
    buildTypeBox();
    setTabOrder();
    // Under the style sheet the window's font does not reach controls inside other controls
    // (the group box's labels, the type box's edit line): each control is given it itself.
    for (QWidget* child : findChildren<QWidget*>())
        if (!child->testAttribute(Qt::WA_SetFont))
            child->setFont(font);
    fitCountLabel();
    configureData(settings);
    m_views = std::make_unique<WindowViews>(WindowWidgets{
        m_cells, *m_grid, *m_lines, *m_list, *m_combo, *m_errors, m_loadedMode});
    m_views->placeGridCursor();
    // repaint() draws without returning to the event loop: no input reaches the window.
    m_views->setRedraw([this] { repaint(); });
    wirePreviews();
    m_dialogs.setSaveFileName(QStringLiteral("ErrorLog.txt"));
}

TFrmConverterBancoQelExcel::~TFrmConverterBancoQelExcel() = default;

ImportViews& TFrmConverterBancoQelExcel::views() { return *m_views; }
int TFrmConverterBancoQelExcel::SourceType() const { return m_views->sourceType(); }

// The one place where an error that escapes a handler is shown; the window stays open.
template <class F> void TFrmConverterBancoQelExcel::guarded(F&& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        m_dialogs.showError(errorMessage(e));
    }
}

void TFrmConverterBancoQelExcel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // After the window is on screen, so the dialogs open over it.
    if (!m_formShowDone)
        QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TFrmConverterBancoQelExcel::wirePreviews()
{
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                gridCurrentChanged(current, previous);
            });
    connect(m_grid, &PreviewTableView::currentCellClicked, this, [this] { StringGrid1Click(); });
    // The list preview follows the user only: the run moves the list without previewing.
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (m_views->mover() != WindowViews::Mover::User || !current.isValid())
                    return;
                m_views->userMovedList(current.row());
                ListaProdutosTxtClick();
            });
    connect(m_list, &PreviewListView::currentLineClicked, this, [this] { ListaProdutosTxtClick(); });
    // The count follows the type: a type whose exports carry a header line counts one less.
    connect(m_combo, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_loadedMode.isEmpty())
            showProductCount();
    });
}

void TFrmConverterBancoQelExcel::gridCurrentChanged(const QModelIndex& current,
                                                    const QModelIndex& previous)
{
    if (!current.isValid())
        return;
    switch (m_views->mover()) {
    case WindowViews::Mover::Placement:
        return;
    case WindowViews::Mover::Operation:
        // An operation previews only when it moves to another row.
        if (previous.isValid() && previous.row() == current.row())
            return;
        break;
    case WindowViews::Mover::User:
        break;
    }
    StringGrid1Click();
}

// The client library takes SIGINT and SIGTERM at its first attach and then never ends the
// window on them; that attach is made here (on no database), and the default actions put
// back, so every later attach finds them settled.
void TFrmConverterBancoQelExcel::settleSignals()
{
    try {
        ClientLibrary::acquire(eConexao.ClientLibrary).settleFirstAttach();
    } catch (const std::exception&) {
        // A library that does not load is reported by the attach that follows.
    }
    platform::endOnSignals();
}

void TFrmConverterBancoQelExcel::FormShow()
{
    if (m_formShowDone)
        return;
    m_formShowDone = true;
    guarded([this] { doFormShow(); });
}

void TFrmConverterBancoQelExcel::doFormShow()
{
    settleSignals();
    eConexao.setConnected(true);
    m_dialogs.executeOpenDialog();
    const QString fileName = m_dialogs.openFileName();
    m_sourceFile = fileName;
    if (fileName.isEmpty())
        requestQuit(); // takes effect in the message loop; nothing below matches an empty name
    switch (SourceKindOf(fileName)) {
    case SourceKind::Spreadsheet:
        loadSpreadsheet(fileName);
        break;
    case SourceKind::Text:
        loadText(fileName);
        break;
    case SourceKind::None:
        break;
    }
}

void TFrmConverterBancoQelExcel::loadSpreadsheet(const QString& fileName)
{
    m_dialogs.showMessage(QStringLiteral("Carregando Banco em Excel :)"));
    SourceMode = FindSourceKind(SourceKind::Spreadsheet)->mode;
    LoadSpreadsheet(m_cells, fileName, m_regional);
    m_loadedMode = SourceMode;
    m_views->placeGridCursor();
    m_grid->show();
    showProductCount();
}

void TFrmConverterBancoQelExcel::loadText(const QString& fileName)
{
    SourceMode = FindSourceKind(SourceKind::Text)->mode;
    m_dialogs.showMessage(QStringLiteral("Carregando Banco em Texto :)"));
    m_views->setLines(ReadTextFileLines(fileName));
    m_loadedMode = SourceMode;
    m_list->show();
    showProductCount();
}

// What a run would import: blank lines and empty rows at the end are not products.
void TFrmConverterBancoQelExcel::showProductCount()
{
    const int count = ProductCount(*m_views, SourceType());
    QLabel* label = m_labels[7];
    label->setText(QStringLiteral("Total de items na tabela: ") + QString::number(count));
    fitCountLabel();
}

void TFrmConverterBancoQelExcel::fitCountLabel()
{
    // Grow around the laid-out centre when the caption does not fit the laid-out width: a
    // count, or a font a little wider than the one the window was laid out with.
    QLabel* label = m_labels[7];
    const int width = std::min(std::max(119, label->sizeHint().width()), m_group->width() - 4);
    const int centre = 32 + 119 / 2;
    label->setGeometry(std::max(2, centre - width / 2), 200, width, label->height());
}

// A click that still reaches the button from inside one of the run's dialogs finds the run
// working and returns at once: RunFullImport holds the one guard against a second run.
void TFrmConverterBancoQelExcel::Button2Click()
{
    guarded([this] {
        ImportContext context{*m_views, m_dialogs, eConexao, qrproduto, query2,
                              edttempproduto, m_regional};
        context.sourceFile = m_sourceFile;
        RunFullImport(context);
    });
}

void TFrmConverterBancoQelExcel::Button3Click()
{
    guarded([this] { close(); });
}

void TFrmConverterBancoQelExcel::setPreview(const std::array<QString, 7>& captions)
{
    for (int i = 0; i < 7; ++i)
        m_labels[i]->setText(captions[i]);
    emit previewShown();
}

void TFrmConverterBancoQelExcel::StringGrid1Click()
{
    guarded([this] {
        if (auto captions = GridPreview(SourceType(), m_cells, m_views->gridCurrentRow()))
            setPreview(*captions);
    });
}

void TFrmConverterBancoQelExcel::ListaProdutosTxtClick()
{
    guarded([this] {
        const int index = m_views->listIndex();
        if (index < 0 || index >= m_views->lines().size())
            return;
        edttempproduto.setText(m_views->lines().at(index));
        setPreview(TextLinePreview(edttempproduto));
    });
}

// The fixed layout of the main window: every control at its place, with its name, text and
// first state. Positions are in pixels, as the window was laid out at 96 dots per inch.
#include "TFrmConverterBancoQelExcel.h"

#include "PreviewViews.h"
#include "SourceTypes.h"
#include "TextLinesModel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>

namespace {

QFont tahoma(int pixelSize)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    return font;
}

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* b = named(new QPushButton(text, parent), name);
    b->setGeometry(geometry);
    return b;
}

} // namespace

void TFrmConverterBancoQelExcel::buildViews()
{
    m_grid = named(new PreviewTableView(this), "StringGrid1");
    m_grid->setGeometry(8, 8, 393, 439);
    m_grid->setModel(&m_cells);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setMinimumSectionSize(8);
    m_grid->verticalHeader()->setDefaultSectionSize(16);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setDefaultSectionSize(64);
    m_grid->setShowGrid(true);
    m_grid->setWordWrap(false);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(false);
    m_grid->hide();

    m_lines = new TextLinesModel(this);
    m_list = named(new PreviewListView(this), "ListaProdutosTxt");
    m_list->setGeometry(8, 8, 393, 441);
    m_list->setModel(m_lines);
    m_list->setUniformItemSizes(true);
    m_list->setItemDelegate(new FixedHeightDelegate(13, m_list));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->hide();

    // The hidden edit box of the layout; the line that fields are cut from is edttempproduto.
    m_tempEdit = named(new QLineEdit(QStringLiteral("edttempproduto"), this), "edttempproduto");
    m_tempEdit->setGeometry(88, 48, 121, 21);
    m_tempEdit->hide();
}

void TFrmConverterBancoQelExcel::buildPanel()
{
    m_group = named(new QGroupBox(QStringLiteral("Informações"), this), "GroupBox1");
    m_group->setGeometry(407, 32, 194, 233);
    const std::array<QString, 7> captions{
        QStringLiteral("Nome do produto:"), QStringLiteral("Código: "),
        QStringLiteral("Preço de Custo:"),  QStringLiteral("Preço de Venda:"),
        QStringLiteral("Estoque:"),         QStringLiteral("Unidade:"),
        QStringLiteral("Estoque Min:")};
    for (int i = 0; i < 7; ++i) {
        auto* label = new QLabel(captions[i], m_group);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        // As wide as the panel allows: a long preview is cut at the panel's edge.
        label->setGeometry(16, 24 + 19 * i, 194 - 16 - 4, 13);
        m_labels[i] = label;
    }
    m_labels[7] = named(new QLabel(QStringLiteral("Total de items na tabela:"), m_group), "Label8");
    m_labels[7]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_labels[7]->setGeometry(32, 200, 119, 13);
    m_labels[8] = named(new QLabel(QStringLiteral("Erros:"), this), "Label9");
    m_labels[8]->move(488, 333);
    m_labels[8]->adjustSize();
}

void TFrmConverterBancoQelExcel::buildButtons()
{
    m_button1 = button(this, "Button1", QStringLiteral("Importar Seleção"), {407, 271, 194, 25});
    m_button1->setEnabled(false); // nothing ever enables it
    m_button2 = button(this, "Button2", QStringLiteral("Importar Tudo"), {408, 302, 194, 25});
    m_button3 = button(this, "Button3", QStringLiteral("Fechar"), {407, 424, 194, 25});
    connect(m_button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(m_button3, &QPushButton::clicked, this, [this] { Button3Click(); });

    m_errors = new QStringListModel(this);
    m_errorList = named(new QListView(this), "ListBox1");
    m_errorList->setGeometry(407, 352, 192, 66);
    m_errorList->setFont(tahoma(8));
    m_errorList->setModel(m_errors);
    m_errorList->setUniformItemSizes(true);
    m_errorList->setItemDelegate(new FixedHeightDelegate(10, m_errorList));
    m_errorList->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void TFrmConverterBancoQelExcel::buildTypeBox()
{
    m_combo = named(new QComboBox(this), "ComboBox1");
    m_combo->setGeometry(407, 5, 195, 21);
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->addItems(SourceTypeNames());
    m_combo->setMaxVisibleItems(SourceTypeCount());
    m_combo->setCurrentIndex(-1);
    m_combo->setEditText(QStringLiteral("Escolher o Tipo de Conversao"));
    m_combo->lineEdit()->setCursorPosition(0); // the prompt's start, not its end
}

void TFrmConverterBancoQelExcel::setTabOrder()
{
    const QList<QWidget*> order{m_grid,      m_group, m_button1,  m_button2, m_button3,
                                m_errorList, m_list,  m_tempEdit, m_combo};
    for (int i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void TFrmConverterBancoQelExcel::configureData(const AppSettings& settings)
{
    ApplyConnectionSettings(eConexao, settings);
    qrproduto.SQL().Add(QStringLiteral("select situacao, codigo, codbarra, produto, unidade, estoque, precovenda"));
    qrproduto.SQL().Add(QStringLiteral("from c000025"));
    qrproduto.SQL().Add(QStringLiteral("order by produto"));
    qrproduto.AutoCommit = false;
    query2.AutoCommit = false;
}

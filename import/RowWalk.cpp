#include "RowWalk.h"

#include "ImportViews.h"
#include "ProductRange.h"
#include "RowPipeline.h"
#include "SourceTypes.h"
#include "StatementShape.h"
#include "TextGrid.h"
#include "platform/Error.h"

RowWalk::RowWalk(ImportViews& views, const RowWalkSettings& settings)
    : m_views(views), m_settings(settings),
      m_sheet(SourceKindOfMode(views.sourceMode()) == FindSourceKind(SourceKind::Spreadsheet)),
      m_state{ProductRow{}, 0, settings.keepSourceBarcode, settings.barcodeList, m_line,
              settings.settings}
{
    m_views.setGridCurrentRow(1);
    m_views.setListIndex(0);
}

int RowWalk::first() const
{
    return m_sheet ? 1 : 0;
}

// Blank lines and empty rows at the end are no products: the run stops before them.
int RowWalk::end() const
{
    return m_sheet ? SheetProductEnd(m_views.grid()) : TextProductEnd(m_views.lines());
}

int RowWalk::position() const
{
    return m_sheet ? m_views.gridCurrentRow() : m_views.listIndex();
}

RowOutcome RowWalk::build(int position)
{
    if (m_sheet)
        m_views.setGridCurrentRow(position);
    else
        m_views.setListIndex(position);
    RowOutcome out;
    try {
        if (m_sheet)
            BuildSheetRow(m_settings.sourceType, m_views, m_state);
        else
            BuildTextRow(m_settings.sourceType, m_views, m_state);
        out.values = InsertValues(CompletedRowStatement(m_state.row, m_settings.registrationDate));
    } catch (const std::exception& e) {
        out.failed = true;
        out.message = errorMessage(e);
        out.values.clear();
    }
    out.rowNumber = SourceRowNumber(m_views);
    out.row = m_state.row;
    return out;
}

namespace {

// A string literal's text: the quotes off, each doubled quote made one.
QString unquoted(QStringView literal)
{
    QString text = literal.mid(1, literal.size() - 2).toString();
    return text.replace(QStringLiteral("''"), QStringLiteral("'"));
}

} // namespace

QStringList InsertValues(const QStringList& insertLines)
{
    if (insertLines.isEmpty())
        return {};
    const QString& line = insertLines.last();
    const shape::Lexed lexed = shape::lex(line);
    QStringList values;
    QString value;
    bool inList = false;
    for (const shape::Token& t : lexed.tokens) {
        if (!inList) {
            inList = t.kind == shape::TokenKind::Symbol && t.text == u"(";
            continue;
        }
        if (t.kind == shape::TokenKind::Symbol && (t.text == u"," || t.text == u")")) {
            values.append(value);
            value.clear();
            continue;
        }
        value += t.kind == shape::TokenKind::String ? unquoted(t.text) : t.text.toString();
    }
    return values;
}

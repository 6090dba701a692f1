#pragma once
// The main window: the source views, the type box, the information panel, the buttons, the
// error list, and the data components of the import. The handlers are thin: loading is in
// sources/, the run in import/, the preview texts in ProductPreview.
#include "AppOptions.h"
#include "CurrentLine.h"
#include "DatabaseConnection.h"
#include "RegionalSettings.h"
#include "SqlQuery.h"
#include "TextGrid.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class Dialogs;
class ImportViews;
class PreviewListView;
class PreviewTableView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;
class WindowViews;

class TFrmConverterBancoQelExcel : public QWidget {
    Q_OBJECT
public:
    TFrmConverterBancoQelExcel(const AppSettings& settings, Dialogs& dialogs,
                               const RegionalSettings& regional, QWidget* parent = nullptr);
    ~TFrmConverterBancoQelExcel() override;

    // Data components. eConexao comes first: the statements are bound to it.
    DatabaseConnection eConexao;
    SqlQuery qrproduto;
    SqlQuery query;
    SqlQuery query2;
    SqlQuery query3;
    // The current text line that fields are cut from (the hidden edit box's role).
    CurrentLine edttempproduto;
    // The loaded kind's mode text (SourceKindDescriptor::mode) or empty: what the show
    // handler loaded.
    QString SourceMode;

    // How the window asks the application to end (a cancelled file dialog). Tests replace it.
    std::function<void()> requestQuit;

    // The handlers. Each shows any error that escapes it in the error box; the window stays.
    // FormShow runs once, when the window is first shown (a second call does nothing).
    void FormShow();
    void Button2Click();
    void Button3Click();
    void StringGrid1Click();
    void ListaProdutosTxtClick();

    int SourceType() const;
    ImportViews& views();

    // The controls, by their names.
    PreviewTableView* StringGrid1() const { return m_grid; }
    TextGrid& StringGrid1Cells() { return m_cells; }
    PreviewListView* ListaProdutosTxt() const { return m_list; }
    QStringListModel* ListaProdutosTxtItems() const { return m_lines; }
    QComboBox* ComboBox1() const { return m_combo; }
    QGroupBox* GroupBox1() const { return m_group; }
    QLabel* Label(int number) const { return m_labels.at(number - 1); } // 1..9
    QLabel* Label1() const { return m_labels[0]; }
    QLabel* Label2() const { return m_labels[1]; }
    QLabel* Label3() const { return m_labels[2]; }
    QLabel* Label4() const { return m_labels[3]; }
    QLabel* Label5() const { return m_labels[4]; }
    QLabel* Label6() const { return m_labels[5]; }
    QLabel* Label7() const { return m_labels[6]; }
    QLabel* Label8() const { return m_labels[7]; }
    QLabel* Label9() const { return m_labels[8]; }
    QPushButton* Button1() const { return m_button1; }
    QPushButton* Button2() const { return m_button2; }
    QPushButton* Button3() const { return m_button3; }
    QListView* ListBox1() const { return m_errorList; }
    QStringListModel* ListBox1Items() const { return m_errors; }
    QLineEdit* edttempprodutoEdit() const { return m_tempEdit; }

signals:
    // A preview (grid row or text line) has set the panel's captions.
    void previewShown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildViews();
    void buildPanel();
    void buildButtons();
    void buildTypeBox();
    void setTabOrder();
    void wirePreviews();
    void configureData(const AppSettings& settings);
    template <class F> void guarded(F&& handler);

    void settleSignals();
    void doFormShow();
    void loadSpreadsheet(const QString& fileName);
    void loadText(const QString& fileName);
    void showProductCount();
    void fitCountLabel();
    void setPreview(const std::array<QString, 7>& captions);
    void gridCurrentChanged(const QModelIndex& current, const QModelIndex& previous);

    Dialogs& m_dialogs;
    RegionalSettings m_regional;
    TextGrid m_cells;
    PreviewTableView* m_grid = nullptr;
    QStringListModel* m_lines = nullptr;
    PreviewListView* m_list = nullptr;
    QComboBox* m_combo = nullptr;
    QGroupBox* m_group = nullptr;
    std::array<QLabel*, 9> m_labels{};
    QPushButton* m_button1 = nullptr;
    QPushButton* m_button2 = nullptr;
    QPushButton* m_button3 = nullptr;
    QListView* m_errorList = nullptr;
    QStringListModel* m_errors = nullptr;
    QLineEdit* m_tempEdit = nullptr;
    std::unique_ptr<WindowViews> m_views;
    // The mode of a source that loaded completely. SourceMode is set before loading, as the
    // show handler always did; the run reads this one, so that a sheet that failed half-way
    // (an error cell, a damaged file) is never imported over the table as it stands.
    QString m_loadedMode;
    QString m_sourceFile; // the file the show handler loaded
    bool m_formShowDone = false;
};

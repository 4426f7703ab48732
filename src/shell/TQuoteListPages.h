#pragma once
// The work area after login: the page control MainPage with the quote list (page 1), the orders
// in progress and the delivered orders (pages 2 and 3, built with their lists and actions but
// with hidden tabs) and the notes (page 4).

#include <QWidget>

#include <functional>
#include <memory>

class QMenu;

namespace Ui
{
class TQuoteListPages;
}

namespace tvr
{

class TDatabaseConnection;
class TLister;
class TListerColumns;

class TQuoteListPages : public QWidget
{
    Q_OBJECT
public:
    // Sends an ordered kitchen quote (writes the order file and uploads it); installed by the
    // order transfer. Without one, "MEGRENDELEM!" says that sending is not available.
    using OrderSender = std::function<void(QWidget *mainWindow, TDatabaseConnection &db, const QString &quoteId)>;
    static OrderSender SetOrderSender(OrderSender sender);

    TQuoteListPages(TDatabaseConnection &db, QWidget *mainWindow, QWidget *parent = nullptr);
    ~TQuoteListPages() override;

    // After login: page 1 shown and its list filled.
    void showAfterLogin();

    // The statements of the lists, with their bound values.
    struct Statement {
        QString sql;
        QStringList params;
    };
    static Statement QuoteListStatement(const QString &nameFilter);
    // Pages 2 (status 1) and 3 (status 2).
    static Statement OrderListStatement(const QString &status, const QString &name, const QString &ownId,
                                        const QString &folderNumber, const QString &kitchenNumber);
    static QString NotesStatement();

    void refreshQuotes();
    void refreshNotes();
    void refreshOrdersInProgress();
    void refreshDelivered();

private:
    void showOlderCatalogueWarning();
    void newQuote();
    void openQuote(TLister *list);
    void deleteQuote(TLister *list, const QString &question);
    void orderQuote();
    void setOwnIdentifier(TLister *list);
    void setConfirmationNumber(TLister *list, bool folder);
    void setStatus(TLister *list, const QString &question, const QString &status);
    void markDelivered();
    void openOrderInProgress();
    void editNote(bool change);
    void deleteNote();
    void refreshAll();

    std::unique_ptr<Ui::TQuoteListPages> m_ui;
    TDatabaseConnection &m_db;
    QWidget *m_mainWindow;
    QMenu *m_popup1;
    QMenu *m_popup2;
    QMenu *m_popup3;
};

} // namespace tvr

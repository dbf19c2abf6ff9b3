#include "help/HelpPages.h"

#include "checks/TariffCodes.h"
#include "data/PasswordFile.h"

#include <QStringList>
#include <span>

namespace HelpPages {

namespace {

// A page's paragraphs joined by CR LF CR LF.
QString joined(std::span<const char* const> paragraphs)
{
    QStringList body;
    for (const char* paragraph : paragraphs)
        body << QString::fromUtf8(paragraph);
    return body.join(QStringLiteral("\r\n\r\n"));
}

} // namespace

QString startMenuTitle()
{
    return QStringLiteral("Uno sguardo a Tassella.");
}

QString startMenuBody()
{
    QStringList paragraphs;
    const auto add = [&paragraphs](const char* text) { paragraphs.append(QString::fromUtf8(text)); };

    add("Tassella compila, archivia e stampa i bollettini postali TD 451 con i quali si versano le Tasse sulle "
        "Concessioni Governative sul conto corrente postale n. 8003 intestato all'Agenzia delle Entrate - Centro "
        "Operativo di Pescara. Il programma è pensato per uffici, associazioni, agenzie e studi professionali che "
        "eseguono questi versamenti per conto dei propri clienti.");
    add("Sul bollettino si indicano l'importo in cifre e in lettere, i dati di chi esegue il versamento "
        "(l'Esecutore: nome o ragione sociale, indirizzo e codice fiscale), la causale e il codice della voce di "
        "tariffa che identifica la tassa dovuta. Le tasse si pagano, ad esempio, per il rilascio e il rinnovo di "
        "licenze, iscrizioni ad albi e registri, autorizzazioni e concessioni. Le voci di tariffa previste sono le "
        "seguenti:");
    for (const char* tariff : TariffCodes::entries())
        paragraphs.append(QStringLiteral("• ") + QString::fromUtf8(tariff));
    add("STAMPA BOLLETTINI. La schermata riproduce il modulo cartaceo. Per prima cosa si digita l'anno e si preme "
        "\"Apri\": ogni anno ha il proprio archivio, creato automaticamente la prima volta. \"Nuovo\" prepara un "
        "bollettino vuoto, \"Salva\" lo registra in archivio (un bollettino già salvato viene aggiornato), "
        "\"Duplica\" trasforma il bollettino visualizzato in uno nuovo con gli stessi dati. Le frecce scorrono "
        "l'archivio. L'importo in lettere si compila da solo mentre si digitano le cifre; i dati dell'Esecutore si "
        "importano dall'anagrafica e il codice tariffa dall'elenco delle voci.");
    add("Quando l'Esecutore ha pagato si spunta la casella \"Saldato\" e si salva di nuovo il bollettino. I "
        "comandi \"Da saldare\" e \"Scaduti\" elencano i bollettini non ancora saldati e quelli già scaduti; "
        "\"Trova\" cerca i bollettini dell'anno aperto in base a uno o più criteri. Con un doppio clic su una riga "
        "dell'elenco il bollettino torna nella schermata di compilazione.");
    add("CALIBRAZIONE DEI MARGINI DI STAMPA. Il programma stampa soltanto i dati, negli spazi del modulo "
        "prestampato inserito nella stampante. Poiché ogni stampante trascina il foglio in modo leggermente "
        "diverso, nella finestra di stampa si possono spostare tutti i dati in basso o a destra (valori positivi) "
        "oppure in alto o a sinistra (valori negativi), millimetro per millimetro. Premendo \"Applica\" lo "
        "spostamento viene memorizzato e usato per tutte le stampe successive. Conviene provare prima su un foglio "
        "bianco sovrapposto a un modulo.");
    add("ANAGRAFICA ESECUTORI. Raccoglie i dati delle persone e degli enti per conto dei quali si versano le tasse: "
        "nome o ragione sociale, indirizzo, codice fiscale e partita IVA, recapiti telefonici ed e-mail, IBAN e "
        "carta di credito, codice tariffa abituale e annotazioni. La casella \"Da ricontattare\" segnala le "
        "questioni in sospeso e il comando omonimo elenca gli Esecutori da richiamare. \"Duplica\" e \"Cancella\" "
        "aiutano a registrare schede simili o a sovrascrivere una scheda, \"Trova\" cerca con più filtri insieme.");
    add("Ad ogni scheda, come ad ogni bollettino, si possono allegare fino a tre file (ad esempio la copia di un "
        "documento d'identità), che vengono copiati nella cartella Documenti_Allegati del programma. La scheda "
        "dell'Esecutore si può stampare, visualizzare in anteprima o salvare in PDF. Quattro controlli verificano "
        "il codice fiscale, la partita IVA (indicando l'ufficio che l'ha rilasciata), l'IBAN e il numero della "
        "carta di credito; il pulsante accanto all'indirizzo e-mail apre un nuovo messaggio per l'Esecutore.");
    add("RIEPILOGO VERSAMENTI. Si sceglie l'anno, il periodo e, se si vuole, un Esecutore: il programma elenca i "
        "bollettini con scadenza nel periodo, calcola il totale degli importi e stampa il riepilogo.");
    add("ESPORTAZIONE. L'archivio annuale dei bollettini e l'anagrafica degli Esecutori si possono esportare in un "
        "file per Microsoft Excel o per qualsiasi altro foglio di calcolo compatibile, da elaborare o da "
        "conservare.");
    add("RETE LOCALE E CHIAVETTA USB. Tutti i dati sono conservati in semplici file nella cartella del programma: "
        "installando il programma in una cartella condivisa lo si può usare da più computer della rete locale, "
        "uno alla volta, oppure portarlo con sé su una chiavetta USB. Per una copia di sicurezza basta copiare la "
        "cartella.");
    paragraphs.append(
        QStringLiteral("PASSWORD. L'accesso al programma è protetto da una password, uguale per tutti gli utenti, "
                       "che non distingue le lettere maiuscole dalle minuscole. Al primo accesso la password è %1: "
                       "si consiglia di cambiarla subito con il pulsante \"Cambia password\" della finestra di "
                       "accesso.")
            .arg(PasswordFile::initial));
    add("La guida completa, con le istruzioni passo per passo, si apre in formato PDF con il collegamento qui sotto.");
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

QString slipEditorTitle()
{
    return QStringLiteral("Compilazione e stampa dei bollettini postali.");
}

QString slipEditorBody()
{
    static const char* const paragraphs[] = {
        "Questa schermata permette di compilare, stampare e archiviare i bollettini postali TD 451 con i quali si "
        "versano le Tasse sulle Concessioni Governative sul conto corrente postale n. 8003 intestato all'Agenzia delle "
        "Entrate. Il modulo mostrato sullo schermo riproduce il fronte del bollettino cartaceo: ogni dato va scritto "
        "nel campo che sul modulo stampato porta la stessa dicitura.",
        "Prima di stampare il primo bollettino conviene verificare i margini di stampa dalla finestra di stampa, "
        "spostando il testo verso l'alto, il basso, la destra o la sinistra finché i dati cadono esattamente "
        "nelle caselle del modulo. Il bollettino prestampato va inserito nella stampante con il fronte rivolto verso "
        "il lato di stampa e il bordo superiore per primo, come un normale foglio.",
        "I bollettini sono conservati in archivi annuali. Per iniziare indicare l'anno solare con quattro cifre e "
        "premere Apri, quindi premere Nuovo e compilare la scheda, oppure importare i dati dell'Esecutore "
        "dall'archivio anagrafico con Importa dati; al termine premere Salva. Per modificare una scheda occorre "
        "ritrovarla con le frecce di scorrimento o con Trova, apportare le modifiche e premere di nuovo Salva. Il "
        "comando Duplica prepara una nuova scheda copiando i dati di quella mostrata, che sarà inserita in "
        "archivio al successivo Salva.",
        "Quando un bollettino è stato pagato basta spuntare la casella Saldato e salvare la scheda. Il comando Da "
        "saldare elenca tutti i bollettini dell'anno non ancora saldati, mentre Scaduti elenca quelli la cui data di "
        "scadenza è già trascorsa senza che siano stati saldati: da entrambi gli elenchi si può "
        "richiamare la scheda nella schermata di compilazione.",
        "Il comando Trova cerca le schede dell'archivio aperto combinando più filtri contemporaneamente, ad "
        "esempio il nome dell'Esecutore, il codice fiscale, il codice tariffa o la causale: sono mostrate soltanto "
        "le schede che soddisfano tutti i criteri indicati.",
        "Infine, ogni archivio annuale può essere esportato con il comando Esporta archivio in un file di "
        "Microsoft Excel, utile per elaborare i versamenti dell'anno con un foglio di calcolo o per conservarne una "
        "copia.",
    };
    return joined(paragraphs);
}

QString summaryTitle()
{
    return QStringLiteral("Riepilogo versamenti.");
}

QString summaryBody()
{
    const char* const paragraphs[] = {
        "Questa schermata presenta il prospetto dei versamenti eseguiti in un periodo qualsiasi dell'anno solare, "
        "con il totale degli importi: per tutti gli Esecutori oppure soltanto per quelli scelti in base al nome, al "
        "codice fiscale o a entrambi.",
        "Vi si arriva dal menu principale, con la voce \"Riepilogo versamenti\": nella schermata di selezione si "
        "indicano l'anno, il nome dell'Esecutore, il suo codice fiscale e i giorni di inizio e di fine del periodo, "
        "poi si preme il pulsante \"Visualizza riepilogo\". Sono compresi tutti i bollettini con la data di "
        "scadenza nel periodo, saldati o no.",
        "Per ogni versamento il prospetto riporta la data di scadenza, l'importo, il nome dell'Esecutore, il codice "
        "fiscale, il comune di residenza, il codice tariffa e le note; in fondo alla schermata sono indicati il "
        "periodo scelto e il totale degli importi versati.",
        "Lasciando in bianco i campi del nome e del codice fiscale si ottiene il riepilogo di tutti gli Esecutori. Il "
        "pulsante \"Trova\" porta alla voce che contiene le parole cercate, e il pulsante \"Stampa riepilogo\" "
        "stampa l'elenco con il periodo e il totale, pronto da consegnare al commercialista.",
    };
    return joined(paragraphs);
}

QString payerEditorTitle()
{
    return QStringLiteral("Applicazione Anagrafica Esecutori.");
}

QString payerEditorBody()
{
    static const char* const kParagraphs[] = {
        "L'anagrafica raccoglie i dati delle persone e degli enti (gli Esecutori) per conto dei quali si versano le "
        "Tasse sulle Concessioni Governative. Serve anzitutto a compilare i bollettini più in fretta: nella "
        "schermata dei bollettini il comando Importa dati copia nel modulo il nome, i dati di nascita, la residenza e "
        "il codice fiscale dell'Esecutore scelto, senza doverli scrivere ogni volta.",
        "L'anagrafica è anche una rubrica completa: per ogni Esecutore conserva i numeri di telefono di casa, "
        "dell'ufficio e del cellulare, il fax e l'indirizzo e-mail, insieme ai dati fiscali e bancari, così "
        "da avere sempre a portata di mano tutto ciò che serve per contattarlo.",
        "Ogni scheda contiene il cognome e il nome o la ragione sociale, la data e il luogo di nascita, il sesso, il "
        "recapito preferenziale, la residenza con il CAP, la categoria di appartenenza, il codice fiscale, la "
        "partita IVA, l'IBAN, il numero e la scadenza della carta di credito, gli estremi del documento "
        "d'identità, il codice tariffa abituale, le questioni in sospeso e le note.",
        "Per inserire un nuovo Esecutore premere Nuovo, compilare i campi (il tasto Invio porta al campo successivo) "
        "e premere Salva: la scheda viene aggiunta in fondo all'archivio e il suo numero compare tra le frecce di "
        "scorrimento. Il nome dell'Esecutore è l'unico dato obbligatorio. Per modificare una scheda basta "
        "ritrovarla con le frecce o con Trova, correggere i dati e premere di nuovo Salva.",
        "Le schede non si eliminano dall'archivio: il comando Cancella svuota i campi della scheda mostrata, "
        "mantenendone il numero, perché vi si possano scrivere i dati di un altro Esecutore. La scheda "
        "originale resta invariata finché non si preme Salva, che la sovrascrive con i nuovi dati.",
        "Il campo Questioni in sospeso permette di annotare ciò che resta da definire con l'Esecutore, ad esempio "
        "un documento da consegnare o un versamento da concordare. Spuntando la casella Da ricontattare la scheda "
        "entra nell'elenco degli Esecutori da ricontattare, che si apre con il comando omonimo: da lì, con un "
        "doppio clic, si torna alla scheda.",
        "Quando lo stesso Esecutore effettua versamenti con causali e codici tariffa diversi, conviene registrare "
        "più schede a suo nome, una per ogni codice tariffa: importando nel bollettino la scheda giusta il "
        "modulo riceve subito anche il codice da versare.",
        "Il comando Trova cerca le schede combinando più filtri contemporaneamente, come una parte del nome, il "
        "comune di residenza, il codice fiscale, la categoria o il codice tariffa: sono mostrate soltanto le schede "
        "che soddisfano tutti i criteri indicati, e un doppio clic riporta la scheda scelta nell'anagrafica.",
        "A ogni scheda si possono allegare fino a tre file, per esempio la copia di un documento d'identità o di "
        "una visura, con il comando Allega file; i file vengono copiati nella cartella Documenti_Allegati del "
        "programma e restano legati alla scheda dopo il Salva. I pulsanti accanto al codice fiscale, alla partita "
        "IVA, all'IBAN e alla carta di credito ne controllano la correttezza, mentre quello accanto all'indirizzo "
        "e-mail apre un nuovo messaggio indirizzato all'Esecutore.",
        "Infine, la scheda mostrata si può stampare, visualizzare in anteprima o salvare in un file PDF con i "
        "comandi Stampa, Anteprima e Crea PDF, e l'intero archivio degli Esecutori si può esportare con Esporta "
        "archivio in un file di Microsoft Excel, da elaborare con un foglio di calcolo o da conservare come copia.",
    };
    return joined(kParagraphs);
}

} // namespace HelpPages

namespace HelpPages {

QString slipExportTitle()
{
    return QStringLiteral("Esportazione archivio annuale versamenti in Microsoft Excel.");
}

QString slipExportBody()
{
    return QString::fromUtf8(
        "Il comando Esporta archivio trascrive tutti i versamenti di un anno solare in un foglio di lavoro in "
        "formato XLS, che si può aprire con qualsiasi programma in grado di gestire questo tipo di file, come "
        "Open Office, Libre Office o Microsoft Office. I valori arrivano nel foglio così come sono in archivio: "
        "i codici di avviamento postale conservano gli zeri iniziali e nessun testo viene scambiato per una "
        "formula.\r\n\r\n"
        "Nella finestra che si apre, la griglia mostra in anteprima le schede dell'archivio aperto, una per riga. "
        "Prima dell'esportazione si possono ancora correggere le colonne Comune di residenza, Note e Saldato: le "
        "correzioni finiscono soltanto nel file, l'archivio resta com'è. Un clic sull'icona di Excel crea il file "
        "XLS con le schede dell'archivio, che si può aprire subito rispondendo sì alla domanda che segue.\r\n\r\n"
        "Il file si chiama Riepilogo_Annuale_Versamenti.xls e si trova nella cartella del programma; ogni nuova "
        "esportazione lo sostituisce. Per conservarlo, o per consegnarlo al commercialista, lo si salva sul disco "
        "con il nome che si preferisce dal programma con cui è stato aperto.");
}

QString payerExportTitle()
{
    return QStringLiteral("Esportazione archivio Esecutori in Microsoft Excel.");
}

QString payerExportBody()
{
    return QString::fromUtf8(
        "Il comando Esporta archivio trascrive i dati anagrafici di tutti gli Esecutori in un foglio di lavoro in "
        "formato XLS, che si può aprire con qualsiasi programma in grado di gestire questo tipo di file, come "
        "Open Office, Libre Office o Microsoft Office. I valori arrivano nel foglio così come sono in archivio: "
        "numeri di telefono, codici di avviamento postale e partite IVA conservano gli zeri iniziali.\r\n\r\n"
        "Nella finestra che si apre, la griglia mostra in anteprima le schede degli Esecutori, una per riga. "
        "Prima dell'esportazione si possono ancora correggere alcune colonne, come il comune di residenza, i dati "
        "del documento, le questioni in sospeso e le note: le correzioni finiscono soltanto nel file, l'archivio "
        "resta com'è. Un clic sull'icona di Excel crea il file XLS con le schede dell'archivio, che si può aprire "
        "subito rispondendo sì alla domanda che segue.\r\n\r\n"
        "Il file si chiama Esecutori.xls e si trova nella cartella del programma; ogni nuova esportazione lo "
        "sostituisce. Per conservarlo, o per consegnarlo ad altri, lo si salva sul disco con il nome che si "
        "preferisce dal programma con cui è stato aperto.");
}

} // namespace HelpPages

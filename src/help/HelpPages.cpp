#include "help/HelpPages.h"

#include "checks/TariffCodes.h"
#include "data/PasswordFile.h"

#include <QStringList>
#include <cstring>
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
        "questioni in sospeso e il comando omonimo elenca gli Esecutori da richiamare. \"Cancella\" svuota la scheda "
        "mostrata perché la si sovrascriva con i dati di un altro Esecutore, \"Trova\" cerca con più filtri insieme.");
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
    add("EMISSIONE PER PIÙ ESECUTORI. Dal menu di avvio, o dalla schermata dei bollettini, si prepara lo stesso "
        "bollettino per molti Esecutori dell'anagrafica insieme: si scelgono gli Esecutori (il programma segnala "
        "chi ha il codice fiscale errato o dati mancanti), si compila il bollettino comune, lo si controlla in "
        "anteprima, lo si salva in archivio e lo si stampa o salva in un unico PDF.");
    add("IMPORTA ESECUTORI. Il collegamento in fondo al menu di avvio inserisce nell'anagrafica gli Esecutori di un "
        "foglio di calcolo salvato in formato CSV, controllando codici fiscali, partite IVA e IBAN e gli "
        "Esecutori già presenti.");
    add("BACKUP, RIPRISTINA E VERIFICA ARCHIVI. I collegamenti in fondo al menu di avvio salvano tutti i dati in un "
        "file ZIP verificato, li riportano da un backup mettendo da parte i file attuali, e controllano gli archivi "
        "senza modificarli. Il backup è il modo sicuro per conservare una copia dei dati; alla chiusura il "
        "programma lo propone una volta al giorno.");
    add("RETE LOCALE. Tutti i dati sono conservati in semplici file nella cartella dei dati del programma: se la "
        "cartella si trova su un disco di rete condiviso, più computer possono usare Tassella insieme e salvare "
        "nello stesso momento. Una scheda modificata da un'altra postazione dopo che è stata aperta non viene "
        "sovrascritta senza chiederlo. Se il disco di rete è collegato in un modo che non garantisce il "
        "salvataggio da più postazioni, il programma lo dice all'avvio.");
    add("TASTIERA. Ogni finestra si usa anche con la sola tastiera: Tab passa da un campo o comando al successivo, "
        "Invio porta al campo successivo o preme il pulsante evidenziato, Esc chiude le finestre aperte sopra le "
        "schermate di lavoro come il loro Chiudi, F1 apre la guida della finestra. Nelle "
        "schermate dei bollettini e degli Esecutori Ctrl+N è Nuovo, Ctrl+S Salva, Ctrl+P Stampa, Ctrl+F Trova, "
        "Pag↑ e Pag↓ la scheda precedente e la successiva, Ctrl+W Esci. Ogni campo e comando ha un nome che i "
        "lettori di schermo pronunciano.");
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

namespace HelpPages {

QString batchTitle()
{
    return QStringLiteral("Emissione dei bollettini per più Esecutori.");
}

QString batchBody()
{
    static const char* const kParagraphs[] = {
        "Questa finestra prepara in una volta sola lo stesso bollettino per molti Esecutori dell'anagrafica, ad "
        "esempio il rinnovo annuale di una licenza per tutti i clienti che la possiedono. Si apre dal menu di avvio "
        "con \"EMISSIONE PER PIÙ ESECUTORI\" oppure, nella schermata dei bollettini, con il pulsante \"Emissione per "
        "più Esecutori...\" accanto all'anno, che porta con sé l'anno digitato.",
        "Per prima cosa si scelgono gli Esecutori da elencare: tutti, quelli con un certo codice tariffa, quelli "
        "da ricontattare oppure quelli trovati con la ricerca per cognome e nome, categoria e comune di "
        "residenza; il pulsante Elenca mostra l'elenco. Ogni Esecutore ha una casella da spuntare: Seleziona "
        "tutti e Seleziona nessuno le spuntano o le tolgono tutte insieme, e sotto l'elenco è indicato quanti "
        "sono i selezionati.",
        "Gli Esecutori con il codice fiscale errato o con dati mancanti (nome, sesso, data e comune di nascita, "
        "indirizzo, comune, provincia e CAP di residenza) compaiono con un avviso sotto il nome e non sono "
        "selezionati. Se il codice tariffa scelto è \"Quello di ciascun Esecutore\", è segnalato anche chi non ha "
        "un codice tariffa valido nella propria scheda. Per emettere comunque il loro bollettino basta spuntarli.",
        "Poi si compila il bollettino comune a tutti: l'anno solare dell'archivio in cui inserirlo, l'anno della "
        "tariffa, il codice tariffa (uno dall'elenco, oppure quello di ciascun Esecutore), l'importo in euro e i "
        "centesimi (l'importo in lettere si scrive da solo), la data di scadenza (premendo un tasto nel campo si "
        "apre il calendario), la causale, le note e il tipo di versamento.",
        "Anteprima mostra i bollettini degli Esecutori selezionati come verranno stampati, uno per pagina, con il "
        "nome dell'Esecutore e l'eventuale avviso; si sfogliano con Prima, Precedente, Successiva e Ultima, "
        "oppure con i tasti Ctrl+↖, Pag↑, Pag↓ e Ctrl+Fine.",
        "Salva inserisce in archivio un bollettino per ogni Esecutore selezionato, dopo averlo chiesto. Se "
        "l'archivio contiene già un bollettino dello stesso Esecutore con lo stesso codice tariffa e lo stesso "
        "anno, o se l'elenco ripete due volte lo stesso bollettino, il programma lo dice e chiede se inserirli "
        "comunque: la risposta proposta è No, che li esclude. Al termine indica i numeri delle schede inserite.",
        "Dopo il salvataggio si attivano Stampa, che stampa tutti i bollettini salvati in una sola volta, uno per "
        "pagina, con i margini di stampa calibrati, e Salva PDF, che li scrive in un unico file PDF nella "
        "cartella scelta (il nome proposto è Bollettini_ seguito dall'anno) e lo apre. I bollettini inseriti "
        "sono bollettini come gli altri: si ritrovano nella schermata dei bollettini, negli elenchi e nelle "
        "ricerche.",
    };
    return joined(kParagraphs);
}

QString backupTitle()
{
    return QStringLiteral("Backup degli archivi.");
}

QString backupBody()
{
    static const char* const kParagraphs[] = {
        "Il backup salva in un unico file ZIP tutti i dati del programma: gli archivi annuali dei bollettini, "
        "l'archivio degli Esecutori, le impostazioni (fra cui i margini di stampa), la password e i documenti "
        "allegati. Il file si chiama Tassella-backup- seguito dalla data e dall'ora, ad esempio "
        "Tassella-backup-2025-10-06-1030.zip. Si apre dal collegamento \"Backup\" in fondo al menu di avvio.",
        "La prima volta si sceglie con Sfoglia la cartella dei backup: conviene un disco esterno, una chiavetta "
        "USB o una cartella di rete, così che un guasto del disco del computer non porti via anche le copie. "
        "In \"Backup da conservare\" si indica quanti backup tenere: dopo ogni nuovo backup i più vecchi oltre "
        "quel numero vengono eliminati.",
        "Esegui backup scrive il file, lo rilegge e confronta ogni file con l'originale: il messaggio finale "
        "indica il nome del backup e il suo contenuto. Se in quel momento un'altra copia del programma sta "
        "scrivendo in un archivio, il backup non viene fatto e il programma chiede di riprovare tra qualche "
        "istante.",
        "Una volta scelta la cartella, alla chiusura del programma Tassella propone di salvare un backup, al "
        "massimo una volta al giorno. I backup si riportano nel programma con il collegamento \"Ripristina\".",
    };
    return joined(kParagraphs);
}

QString restoreTitle()
{
    return QStringLiteral("Ripristino da un backup.");
}

QString restoreBody()
{
    static const char* const kParagraphs[] = {
        "Il ripristino riporta i dati del programma come erano al momento di un backup: serve dopo un guasto, "
        "dopo un errore grave o quando la Verifica archivi segnala schede illeggibili. Si apre dal collegamento "
        "\"Ripristina\" in fondo al menu di avvio.",
        "Con Sfoglia si sceglie il file di backup (Tassella-backup-....zip): il riquadro \"Contenuto del backup\" "
        "ne mostra la data, il numero dei bollettini di ogni anno, il numero degli Esecutori e dei documenti "
        "allegati, e se contiene le impostazioni e la password. Un file che non è un backup di Tassella integro "
        "viene rifiutato senza modificare nulla.",
        "Ripristina chiede conferma e poi sostituisce i dati attuali con quelli del backup. Nulla va perduto: "
        "prima del ripristino i file attuali vengono spostati in una cartella \"Prima del ripristino\" seguita "
        "dalla data e dall'ora, dentro la cartella del programma, da cui si possono recuperare. La password "
        "torna quella del backup; la cartella dei backup scelta resta quella attuale.",
        "Se il ripristino viene interrotto (ad esempio da una mancanza di corrente), al successivo avvio il "
        "programma lo completa oppure lo annulla del tutto, prima della richiesta della password, e dice quale "
        "delle due cose ha fatto. Prima di ripristinare conviene chiudere Tassella sulle altre postazioni che "
        "usano la stessa cartella.",
    };
    return joined(kParagraphs);
}

QString archiveCheckTitle()
{
    return QStringLiteral("Verifica degli archivi.");
}

QString archiveCheckBody()
{
    static const char* const kParagraphs[] = {
        "La verifica legge l'archivio degli Esecutori e tutti gli archivi annuali dei bollettini della cartella "
        "del programma e, per ciascuno, indica il numero delle schede e gli eventuali problemi. Non modifica "
        "nessun file: si può eseguire in qualsiasi momento, dal collegamento \"Verifica archivi\" in fondo al "
        "menu di avvio.",
        "Un archivio in ordine è indicato con \"nessun problema\". Gli altri avvisi sono: una scheda incompleta "
        "alla fine dell'archivio, rimasta da un salvataggio interrotto (il salvataggio successivo la mette da "
        "parte da solo); le schede che non si possono leggere per intero, con il loro numero; i file di "
        "riparazione, di blocco o di una scrittura interrotta rimasti accanto all'archivio. Un file di blocco "
        "\"in uso\" indica che in quel momento un'altra postazione sta salvando.",
        "Per recuperare un archivio danneggiato si usa \"Ripristina\", dal menu di avvio, con un backup fatto "
        "prima del danno; i file attuali vengono messi da parte, non cancellati. Le schede salvate dopo quel "
        "backup vanno poi inserite di nuovo.",
        "L'elenco si scorre come gli altri elenchi del programma: la casella di ricerca e Trova portano alla "
        "riga che contiene le parole cercate, e Stampa lo stampa.",
    };
    return joined(kParagraphs);
}

QString payerImportTitle()
{
    return QStringLiteral("Importazione degli Esecutori da un foglio di calcolo.");
}

QString payerImportBody()
{
    static const char* const kParagraphs[] = {
        "Questa finestra inserisce nell'anagrafica gli Esecutori di un foglio di calcolo, ad esempio l'elenco dei "
        "clienti tenuto con LibreOffice Calc o con Microsoft Excel. Si apre dal collegamento \"Importa "
        "esecutori\" in fondo al menu di avvio.",
        "Il foglio va salvato come file CSV: in LibreOffice con File, Salva con nome, tipo \"Testo CSV\"; in Excel "
        "con File, Salva con nome, tipo \"CSV (delimitato dal separatore di elenco)\". Se LibreOffice è "
        "installato si possono scegliere direttamente anche i file .ods e .xlsx. Con Scegli file si indica il "
        "file; la casella \"La prima riga contiene i nomi delle colonne\" e il separatore delle colonne (punto e "
        "virgola, virgola o tabulazione) sono proposti dal programma e si possono cambiare.",
        "Per ogni colonna del file si indica il campo della scheda dell'Esecutore che la riceve, oppure \"(non "
        "importare)\": il programma propone i campi in base ai nomi delle colonne. L'anteprima mostra ogni riga "
        "come verrà salvata, con le stesse regole della scheda (maiuscole, lunghezze), e nella colonna Esito i "
        "controlli: codice fiscale, partita IVA e IBAN errati, valori tagliati perché troppo lunghi, Esecutori "
        "già in archivio con lo stesso codice fiscale, righe ripetute.",
        "Il foglio di calcolo tratta spesso i codici come numeri e ne toglie gli zeri iniziali: un CAP 00100 "
        "diventa 100, una partita IVA o un telefono perdono lo 0 iniziale. Il programma rimette gli zeri e "
        "mostra il valore completato su fondo giallo; un numero scritto dal foglio con l'esponente (ad esempio "
        "4,11E+15) ha perso le sue cifre ed è segnalato come errore. Il sesso e la data di nascita mancanti "
        "sono ricavati dal codice fiscale e mostrati su fondo azzurro; i valori tagliati sono su fondo arancio.",
        "Le righe senza problemi sono già spuntate; le altre si spuntano o si tolgono con la barra spaziatrice. "
        "Per gli Esecutori già in archivio si sceglie se saltarli oppure aggiornare la loro scheda con i valori "
        "del file (i campi vuoti nel file restano come sono). Importa chiede conferma, inserisce i nuovi "
        "Esecutori in fondo all'anagrafica e dice quanti ne ha inseriti e aggiornati.",
    };
    return joined(kParagraphs);
}

} // namespace HelpPages

namespace HelpPages {

QString loginTitle()
{
    return QStringLiteral("Accesso a Tassella.");
}

QString loginBody()
{
    const QString paragraphs[] = {
        QStringLiteral("L'accesso al programma è protetto da una password, uguale per tutti gli utenti. Si digita "
                       "nella casella e si preme OK oppure il tasto Invio; Esci chiude il programma. La password "
                       "non distingue le lettere maiuscole dalle minuscole, e gli spazi all'inizio e alla fine "
                       "non contano."),
        QStringLiteral("Al primo accesso la password è %1; finché resta quella, la finestra di accesso la "
                       "ricorda sotto la casella. Si consiglia di cambiarla subito.")
            .arg(PasswordFile::initial),
        QStringLiteral("Per cambiarla si preme \"Cambia password\": si digitano la password attuale, la nuova e, "
                       "di nuovo, la nuova per conferma, poi si preme OK. La conferma deve essere identica alla "
                       "nuova password. Chiudi torna all'accesso senza cambiare nulla."),
        QStringLiteral("La password è conservata, in forma cifrata, nella cartella dei dati insieme agli archivi: "
                       "un backup la contiene, e un ripristino riporta quella del backup."),
    };
    QStringList body;
    for (const QString& paragraph : paragraphs)
        body << paragraph;
    return body.join(QStringLiteral("\r\n\r\n"));
}

const Page* pageOfWindow(const char* className)
{
    static constexpr Page kStartMenu{startMenuTitle, startMenuBody};
    static constexpr Page kSlips{slipEditorTitle, slipEditorBody};
    static constexpr Page kPayers{payerEditorTitle, payerEditorBody};
    static const struct {
        const char* window;
        Page page;
    } kWindows[] = {
        // The windows with a "Guida" command of their own, which F1 presses there.
        {"TfrmAvvio", kStartMenu},
        {"TfrmBollettino", kSlips},
        {"TfrmEsecutori", kPayers},
        {"TfrmRiepCosti", {summaryTitle, summaryBody}},
        {"TfrmExpBollettini", {slipExportTitle, slipExportBody}},
        {"TfrmExpEsecutori", {payerExportTitle, payerExportBody}},
        // The others.
        {"TfrmPassword", {loginTitle, loginBody}},
        {"TfrmCambiaPassword", {loginTitle, loginBody}},
        {"TfrmInfo", kStartMenu},
        {"TfrmSplash", kStartMenu},
        // The slip editor's dialogs: its page tells the lists, the search, printing and the tariff list.
        {"TfrmDaSaldare", kSlips},
        {"TfrmScadute", kSlips},
        {"TfrmTrovaBollettini", kSlips},
        {"TfrmStampaBol", kSlips},
        {"TfrmVoci_Tariffa", kSlips},
        {"TfrmCalendario", kSlips},
        // The payer editor's dialogs: its page tells the search, the recontact list, attachments and checks.
        {"TfrmTrovaEsecutori", kPayers},
        {"TfrmRicontatta", kPayers},
        {"TfrmAllegaCartella", kPayers},
        {"TfrmCodFisc", kPayers},
        {"TfrmPartitaIva", kPayers},
        {"TfrmIban", kPayers},
        {"TfrmCarta", kPayers},
        {"TfrmMenuRiepCosti", {summaryTitle, summaryBody}},
        {"TfrmEmissione", {batchTitle, batchBody}},
        {"TfrmBackupArchivi", {backupTitle, backupBody}},
        {"TfrmRipristina", {restoreTitle, restoreBody}},
        {"TfrmVerificaArchivi", {archiveCheckTitle, archiveCheckBody}},
        {"TfrmImportaEsecutori", {payerImportTitle, payerImportBody}},
        {"TfrmPromemoria", {reminderTitle, reminderBody}},
        {"TfrmImpostaPromemoria", {reminderTitle, reminderBody}},
    };
    for (const auto& entry : kWindows)
        if (std::strcmp(entry.window, className) == 0)
            return &entry.page;
    return nullptr;
}

QString reminderTitle()
{
    return QStringLiteral("Scadenze e promemoria.");
}

QString reminderBody()
{
    static const char* const paragraphs[] = {
        "Alla prima apertura della giornata, dopo la password, Tassella avvisa di quanti bollettini non saldati "
        "scadono nel periodo scelto e di quanti sono già scaduti; il pulsante Visualizza elenco apre l'elenco di "
        "quei bollettini. Vengono letti l'archivio dell'anno in corso e, quando il periodo va oltre il 31 dicembre, "
        "anche quello dell'anno successivo. I bollettini saldati non compaiono mai.",
        "Il collegamento Scadenze del menu di avvio apre l'elenco in qualunque momento. Con il pulsante "
        "Impostazioni dell'elenco si spegne l'avviso, si sceglie il periodo (7, 15, 30 o 60 giorni) e si scrive "
        "una volta per tutte l'intestazione dell'ufficio (nome, indirizzo, telefono, e-mail) che compare sui "
        "promemoria.",
        "Nell'elenco si cerca con Trova, si stampa con Stampa e, con un doppio clic, si richiama il bollettino "
        "nella schermata dei bollettini, già aperta sull'anno giusto. A destra sono elencati gli Esecutori a cui "
        "appartengono i bollettini, tutti spuntati: si tolgono le spunte di quelli a cui non si vuole scrivere.",
        "Per gli Esecutori spuntati, Stampa i promemoria stampa una lettera per ciascuno; Un PDF per Esecutore "
        "salva un file per ciascuno nella cartella scelta; Un PDF per tutti salva tutte le lettere in un solo file; "
        "Invia per e-mail prepara nel programma di posta un messaggio per ciascun Esecutore che ha un indirizzo "
        "e-mail in anagrafica, con la lettera in PDF allegata: il messaggio si controlla e si invia dal programma "
        "di posta. Gli Esecutori senza indirizzo vengono elencati alla fine.",
        "La lettera riporta l'intestazione dell'ufficio, il nome e l'indirizzo dell'Esecutore, per ogni bollettino "
        "il codice tariffa con la sua descrizione, l'anno, l'importo in cifre e in lettere, la data di scadenza e "
        "la causale, il totale da versare e come si paga: con il bollettino TD 451 sul conto corrente postale "
        "n. 8003, presso qualsiasi ufficio postale.",
        "Dalla schermata dei bollettini, il comando Promemoria (Ctrl+M) apre l'elenco dei soli bollettini "
        "dell'Esecutore della scheda mostrata, riconosciuto dal codice fiscale o, se manca, dal nome.",
    };
    return joined(paragraphs);
}

} // namespace HelpPages

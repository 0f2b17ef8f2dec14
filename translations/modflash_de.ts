<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CliText</name>
    <message>
        <source>no product named “%1”; run &quot;modflash-cli products --all&quot; to list them</source>
        <translation>kein Produkt namens „%1“; „modflash-cli products --all“ listet alle auf</translation>
    </message>
    <message>
        <source>no product named “%1”; did you mean %2?</source>
        <translation>kein Produkt namens „%1“; meinten Sie %2?</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is offered only while factory firmware is enabled; add --factory to enable it for this run</source>
        <translation>„%1“ wird nur angeboten, solange Werks-Firmware aktiviert ist; mit --factory wird sie für diesen Aufruf aktiviert</translation>
    </message>
    <message>
        <source>--%1 and --%2 contradict each other; give only one</source>
        <translation>--%1 und --%2 widersprechen sich; bitte nur eine davon angeben</translation>
    </message>
    <message>
        <source>Read firmware images and tools from DIR instead of the resource directory that belongs to this program.</source>
        <translation>Firmware-Abbilder und Werkzeuge aus DIR lesen statt aus dem Ressourcenverzeichnis, das zu diesem Programm gehört.</translation>
    </message>
    <message>
        <source>Use the AVR programmer NAME for this run (%1).</source>
        <translation>Für diesen Aufruf den AVR-Programmer NAME verwenden (%1).</translation>
    </message>
    <message>
        <source>Use the ST-Link probe NAME for this run (%1).</source>
        <translation>Für diesen Aufruf den ST-Link-Adapter NAME verwenden (%1).</translation>
    </message>
    <message>
        <source>Enable factory firmware for this run.</source>
        <translation>Werks-Firmware für diesen Aufruf aktivieren.</translation>
    </message>
    <message>
        <source>Disable factory firmware for this run.</source>
        <translation>Werks-Firmware für diesen Aufruf deaktivieren.</translation>
    </message>
    <message>
        <source>Mass-erase USB DFU products before programming, for this run.</source>
        <translation>USB-DFU-Produkte vor dem Programmieren vollständig löschen, für diesen Aufruf.</translation>
    </message>
    <message>
        <source>Do not mass-erase before programming, for this run.</source>
        <translation>Vor dem Programmieren nicht vollständig löschen, für diesen Aufruf.</translation>
    </message>
    <message>
        <source>Do not read the module before writing it (the AVR chip&apos;s signature, the DFU boot loader&apos;s flash size), for this run: for unusual hardware. The image is checked all the same.</source>
        <translation>Das Modul vor dem Schreiben nicht auslesen (die Signatur des AVR-Chips, die Flash-Größe des DFU-Bootloaders), für diesen Aufruf: für ungewöhnliche Hardware. Das Abbild wird trotzdem geprüft.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Diese Hilfe anzeigen.</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Die Version anzeigen.</translation>
    </message>
    <message>
        <source>One of the subcommands above.</source>
        <translation>Einer der oben genannten Unterbefehle.</translation>
    </message>
    <message>
        <source>Shows what modflash offers and the command an update would run, and runs updates.</source>
        <translation>Zeigt, was modflash anbietet und welchen Befehl eine Aktualisierung ausführen würde, und führt Aktualisierungen aus.</translation>
    </message>
    <message>
        <source>Subcommands:</source>
        <translation>Unterbefehle:</translation>
    </message>
    <message>
        <source>PRODUCT is a title exactly as written or its page name, the image prefix without &quot;_&quot; and &quot;.&quot; (uTessary, Bruve). Factory-only products and --file need factory firmware enabled, in the preferences the window stores or with --factory. The preferences are only read: the options below apply to this run and are never stored.</source>
        <translation>PRODUCT ist ein Titel in genau dieser Schreibweise oder sein Seitenname, das Präfix der Abbilder ohne „_“ und „.“ (uTessary, Bruve). Reine Werksprodukte und --file setzen aktivierte Werks-Firmware voraus, in den Einstellungen, die das Fenster speichert, oder mit --factory. Die Einstellungen werden nur gelesen: Die folgenden Optionen gelten für diesen Aufruf und werden nie gespeichert.</translation>
    </message>
    <message>
        <source>Run &quot;modflash-cli SUBCOMMAND --help&quot; for a subcommand&apos;s own options.</source>
        <translation>„modflash-cli SUBCOMMAND --help“ zeigt die eigenen Optionen eines Unterbefehls.</translation>
    </message>
    <message>
        <source>%1; run &quot;%2&quot; for the options</source>
        <translation>%1; „%2“ zeigt die Optionen</translation>
    </message>
    <message>
        <source>unknown programmer %1; choose one of %2</source>
        <translation>unbekannter Programmer %1; bitte einen von diesen wählen: %2</translation>
    </message>
    <message>
        <source>unknown ST-Link probe %1; choose one of %2</source>
        <translation>unbekannter ST-Link-Adapter %1; bitte einen von diesen wählen: %2</translation>
    </message>
    <message>
        <source>no product is offered: the resource directory “%1” is missing; install modflash again or give --resources DIR</source>
        <translation>kein Produkt wird angeboten: Das Ressourcenverzeichnis „%1“ fehlt; installieren Sie modflash erneut oder geben Sie --resources DIR an</translation>
    </message>
    <message>
        <source>no product is offered: the images in “%1” are all for factory-only products, which --factory offers</source>
        <translation>kein Produkt wird angeboten: Die Abbilder in „%1“ sind alle für reine Werksprodukte, die --factory anbietet</translation>
    </message>
    <message>
        <source>products takes no arguments, but %1 was given; run &quot;modflash-cli products --help&quot; for its usage</source>
        <translation>products nimmt keine Argumente, aber %1 wurde angegeben; „modflash-cli products --help“ zeigt den Aufruf</translation>
    </message>
    <message>
        <source>versions takes one PRODUCT, but %1 was given too; put a title with spaces in quotes</source>
        <translation>versions nimmt ein PRODUCT, aber %1 wurde zusätzlich angegeben; setzen Sie einen Titel mit Leerzeichen in Anführungszeichen</translation>
    </message>
    <message>
        <source>left out %1: its file name is not valid UTF-8; rename the file</source>
        <translation>%1 ausgelassen: Der Dateiname ist kein gültiges UTF-8; benennen Sie die Datei um</translation>
    </message>
    <message>
        <source>could not write the output: %1</source>
        <translation>die Ausgabe konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>the products on offer, one title a line</source>
        <translation>die angebotenen Produkte, ein Titel je Zeile</translation>
    </message>
    <message>
        <source>Lists the products the window offers, in its order: those with firmware images, without the factory-only ones unless factory firmware is enabled.</source>
        <translation>Listet die Produkte, die das Fenster anbietet, in seiner Reihenfolge auf: die mit Firmware-Abbildern, ohne die reinen Werksprodukte, außer Werks-Firmware ist aktiviert.</translation>
    </message>
    <message>
        <source>List all products, offered or not.</source>
        <translation>Alle Produkte auflisten, ob angeboten oder nicht.</translation>
    </message>
    <message>
        <source>Print a JSON array of {title, family, prefix, chip, factoryOnly, offered, versions}.</source>
        <translation>Ein JSON-Array aus {title, family, prefix, chip, factoryOnly, offered, versions} ausgeben.</translation>
    </message>
    <message>
        <source>the firmware versions of a product, one a line</source>
        <translation>die Firmware-Versionen eines Produkts, eine je Zeile</translation>
    </message>
    <message>
        <source>the command an update would run (shown, not run)</source>
        <translation>der Befehl, den eine Aktualisierung ausführen würde (angezeigt, nicht ausgeführt)</translation>
    </message>
    <message>
        <source>Shows the flashing command an update of PRODUCT with VERSION (or the image file PATH) would run, without running it: the program on the first line, then one argument a line. When a resource the command needs is missing, the reason goes to standard error and the exit status is 1; when the checks before writing refuse the image, the reason goes there and the exit status is 65.</source>
        <translation>Zeigt den Flash-Befehl, den eine Aktualisierung von PRODUCT mit VERSION (oder der Abbilddatei PATH) ausführen würde, ohne ihn auszuführen: das Programm in der ersten Zeile, dann ein Argument je Zeile. Fehlt eine Ressource, die der Befehl braucht, steht der Grund in der Standardfehlerausgabe und der Rückgabewert ist 1; weisen die Prüfungen vor dem Schreiben das Abbild zurück, steht der Grund dort und der Rückgabewert ist 65.</translation>
    </message>
    <message>
        <source>Print a JSON object {program, arguments, environment}.</source>
        <translation>Ein JSON-Objekt {program, arguments, environment} ausgeben.</translation>
    </message>
    <message>
        <source>what the checks before writing find in an image</source>
        <translation>was die Prüfungen vor dem Schreiben in einem Abbild finden</translation>
    </message>
    <message>
        <source>Reads the image of PRODUCT&apos;s VERSION (or the file PATH) as an update would before writing it and prints what it found: its format, size, address range and SHA-256, each check and its result, and the verdict. With the module check on, a connected DFU boot loader&apos;s flash size counts too. The exit status is 0 when the image would be written and 65 when it would be refused.</source>
        <translation>Liest das Abbild der VERSION von PRODUCT (oder die Datei PATH) so, wie es eine Aktualisierung vor dem Schreiben täte, und gibt aus, was es gefunden hat: Format, Größe, Adressbereich und SHA-256, jede Prüfung mit ihrem Ergebnis und das Urteil. Ist die Modulprüfung eingeschaltet, zählt auch die Flash-Größe eines angeschlossenen DFU-Bootloaders. Der Rückgabewert ist 0, wenn das Abbild geschrieben würde, und 65, wenn es zurückgewiesen würde.</translation>
    </message>
    <message>
        <source>Print a JSON object {file, format, size, dataBytes, addresses, sha256, checks, verdict, reason}.</source>
        <translation>Ein JSON-Objekt {file, format, size, dataBytes, addresses, sha256, checks, verdict, reason} ausgeben.</translation>
    </message>
    <message>
        <source>write the firmware onto the module (runs the command)</source>
        <translation>die Firmware auf das Modul schreiben (führt den Befehl aus)</translation>
    </message>
    <message>
        <source>run &quot;modflash-cli versions %1&quot; to list them</source>
        <translation>„modflash-cli versions %1“ listet sie auf</translation>
    </message>
    <message>
        <source>no version %1 of %2; %3</source>
        <translation>keine Version %1 von %2; %3</translation>
    </message>
    <message>
        <source>version %1 of %2 names more than one image: %3; choose one with --file PATH (with --factory)</source>
        <translation>Version %1 von %2 bezeichnet mehr als ein Abbild: %3; wählen Sie eines mit --file PATH (mit --factory)</translation>
    </message>
    <message>
        <source>no file %1; give the path of a firmware image</source>
        <translation>keine Datei %1; geben Sie den Pfad eines Firmware-Abbilds an</translation>
    </message>
    <message>
        <source>%1 is not a file; give the path of a firmware image</source>
        <translation>%1 ist keine Datei; geben Sie den Pfad eines Firmware-Abbilds an</translation>
    </message>
    <message>
        <source>%1 is not a .%2 file, the image type of %3; give a .%2 file</source>
        <translation>%1 ist keine .%2-Datei, der Abbildtyp von %3; geben Sie eine .%2-Datei an</translation>
    </message>
    <message>
        <source>Write an image that only a plausibility rule refuses (its vector table, its size); needs factory firmware enabled. A malformed image is never written.</source>
        <translation>Ein Abbild schreiben, das nur eine Plausibilitätsregel zurückweist (seine Vektortabelle, seine Größe); setzt aktivierte Werks-Firmware voraus. Ein fehlerhaftes Abbild wird nie geschrieben.</translation>
    </message>
    <message>
        <source>Use the image file PATH instead of a VERSION (needs factory firmware enabled).</source>
        <translation>Die Abbilddatei PATH statt einer VERSION verwenden (setzt aktivierte Werks-Firmware voraus).</translation>
    </message>
    <message>
        <source>%1 needs a PRODUCT and a VERSION (or --file PATH); run &quot;modflash-cli products&quot; to list the products</source>
        <translation>%1 braucht ein PRODUCT und eine VERSION (oder --file PATH); „modflash-cli products“ listet die Produkte auf</translation>
    </message>
    <message>
        <source>%1 takes a PRODUCT and a VERSION, but %2 was given too; put a title with spaces in quotes</source>
        <translation>%1 nimmt ein PRODUCT und eine VERSION, aber %2 wurde zusätzlich angegeben; setzen Sie einen Titel mit Leerzeichen in Anführungszeichen</translation>
    </message>
    <message>
        <source>%1 needs a VERSION of %2 or --file PATH; %3</source>
        <translation>%1 braucht eine VERSION von %2 oder --file PATH; %3</translation>
    </message>
    <message>
        <source>argument %1 (&quot;%2&quot;) is not valid UTF-8; rename the file it names</source>
        <translation>Argument %1 („%2“) ist kein gültiges UTF-8; benennen Sie die Datei um, die es bezeichnet</translation>
    </message>
    <message>
        <source>no directory &quot;%1&quot; for --resources; give the path of a resource directory</source>
        <translation>kein Verzeichnis „%1“ für --resources; geben Sie den Pfad eines Ressourcenverzeichnisses an</translation>
    </message>
    <message>
        <source>the command cannot be built: %1</source>
        <translation>der Befehl kann nicht erstellt werden: %1</translation>
    </message>
    <message>
        <source>another update is running</source>
        <translation>eine andere Aktualisierung läuft</translation>
    </message>
    <message>
        <source>“%1” fits more than one product: %2; give the title as written, in quotes</source>
        <translation>„%1“ passt zu mehr als einem Produkt: %2; bitte den Titel so angeben, wie er geschrieben wird, in Anführungszeichen</translation>
    </message>
    <message>
        <source>Read the module before writing it (the AVR chip&apos;s signature, the DFU boot loader&apos;s flash size), for this run, whatever the preferences say.</source>
        <translation>Das Modul vor dem Schreiben auslesen (die Signatur des AVR-Chips, die Flash-Größe des DFU-Bootloaders), für diesen Aufruf, unabhängig von den Einstellungen.</translation>
    </message>
    <message>
        <source>%1; did you mean %2?</source>
        <translation>%1; meinten Sie %2?</translation>
    </message>
    <message>
        <source>unknown subcommand %1</source>
        <translation>unbekannter Unterbefehl %1</translation>
    </message>
    <message>
        <source>run &quot;modflash-cli --help&quot; to list them</source>
        <translation>„modflash-cli --help“ listet sie auf</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>run &quot;%1&quot; for the options</source>
        <translation>„%1“ zeigt die Optionen</translation>
    </message>
    <message>
        <source>help takes one SUBCOMMAND, but %1 was given too; run &quot;modflash-cli help&quot; to list them</source>
        <translation>help nimmt einen SUBCOMMAND, aber auch %1 wurde angegeben; „modflash-cli help“ listet sie auf</translation>
    </message>
    <message>
        <source>Print the command as one line for a POSIX shell: the environment&apos;s assignments, the program and its arguments, each quoted where the shell needs it.</source>
        <translation>Den Befehl als eine Zeile für eine POSIX-Shell ausgeben: die Zuweisungen der Umgebung, das Programm und seine Argumente, jedes in Anführungszeichen, wo die Shell es braucht.</translation>
    </message>
    <message>
        <source>this help, or a subcommand&apos;s</source>
        <translation>diese Hilfe oder die eines Unterbefehls</translation>
    </message>
    <message>
        <source>Shows the general help, as --help does, or SUBCOMMAND&apos;s own, as &quot;modflash-cli SUBCOMMAND --help&quot; does.</source>
        <translation>Zeigt die allgemeine Hilfe wie --help oder die des SUBCOMMAND wie „modflash-cli SUBCOMMAND --help“.</translation>
    </message>
    <message>
        <source>Read the firmware feed whose manifest is at URL, for this run (https, or http on this computer).</source>
        <translation>Für diesen Lauf den Firmware-Feed lesen, dessen Manifest unter URL liegt (https, oder http auf diesem Rechner).</translation>
    </message>
    <message>
        <source>Trust the minisign public key in FILE for the feed&apos;s signature too, for this run.</source>
        <translation>Für diesen Lauf auch dem öffentlichen minisign-Schlüssel in FILE für die Signatur des Feeds vertrauen.</translation>
    </message>
    <message>
        <source>Read the feed NAME instead of &quot;stable&quot;, for this run.</source>
        <translation>Für diesen Lauf den Feed NAME statt „stable“ lesen.</translation>
    </message>
    <message>
        <source>Use no network, for this run: only images on this computer are written, the feed&apos;s as its last check left them.</source>
        <translation>Für diesen Lauf kein Netzwerk verwenden: Nur Abbilder auf diesem Rechner werden geschrieben, die des Feeds so, wie seine letzte Prüfung sie hinterlassen hat.</translation>
    </message>
    <message>
        <source>Exit status: 0 done; 1 the command cannot be built because a resource it needs is missing (the reason is on standard error); 64 a usage mistake (an unknown product, version, option or subcommand, a missing argument, an ambiguous version, or factory firmware needed but off); 65 the checks before writing refuse the image, or the feed or a download from it is refused (the reason is on standard error); 69 the feed or its image cannot be reached. update and feed have their own: see &quot;modflash-cli update --help&quot; and &quot;modflash-cli feed --help&quot;.</source>
        <translation>Rückgabewert: 0 erledigt; 1 der Befehl kann nicht erstellt werden, weil eine benötigte Ressource fehlt (der Grund steht in der Standardfehlerausgabe); 64 ein Bedienfehler (ein unbekanntes Produkt, eine unbekannte Version, Option oder ein unbekannter Unterbefehl, ein fehlendes Argument, eine mehrdeutige Version oder benötigte, aber deaktivierte Werks-Firmware); 65 die Prüfungen vor dem Schreiben weisen das Abbild zurück, oder der Feed oder ein Download daraus wird zurückgewiesen (der Grund steht in der Standardfehlerausgabe); 69 der Feed oder sein Abbild ist nicht erreichbar. update und feed haben eigene: siehe „modflash-cli update --help“ und „modflash-cli feed --help“.</translation>
    </message>
    <message>
        <source>--%1 needs a value</source>
        <translation>--%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>--feed-name %1: %2</source>
        <translation>--feed-name %1: %2</translation>
    </message>
    <message>
        <source>--feed-key %1 cannot be used: %2; give a minisign public key file</source>
        <translation>--feed-key %1 ist nicht verwendbar: %2; geben Sie eine Datei mit einem öffentlichen minisign-Schlüssel an</translation>
    </message>
    <message>
        <source>the feed is off: this modflash names no feed; give its manifest&apos;s URL with --feed-url URL</source>
        <translation>der Feed ist aus: Dieses modflash nennt keinen Feed; geben Sie die URL seines Manifests mit --feed-url URL an</translation>
    </message>
    <message>
        <source>the feed at %1 is refused: %2</source>
        <translation>der Feed unter %1 wird zurückgewiesen: %2</translation>
    </message>
    <message>
        <source>the feed at %1 cannot be reached: %2</source>
        <translation>der Feed unter %1 ist nicht erreichbar: %2</translation>
    </message>
    <message>
        <source>left out of the feed: %1</source>
        <translation>aus dem Feed ausgelassen: %1</translation>
    </message>
    <message>
        <source>feed “%1”: serial %2 of %3, valid until %4%5</source>
        <translation>Feed „%1“: Seriennummer %2 vom %3, gültig bis %4%5</translation>
    </message>
    <message>
        <source> (unchanged)</source>
        <translation> (unverändert)</translation>
    </message>
    <message>
        <source> (kept from an earlier check)</source>
        <translation> (aus einer früheren Prüfung beibehalten)</translation>
    </message>
    <message>
        <source>no verified manifest of the feed “%1” is on this computer yet; run &quot;modflash-cli feed refresh&quot;</source>
        <translation>auf diesem Rechner liegt noch kein geprüftes Manifest des Feeds „%1“; führen Sie „modflash-cli feed refresh“ aus</translation>
    </message>
    <message>
        <source>%1 %2 (%3, %4 bytes%5)</source>
        <translation>%1 %2 (%3, %4 Bytes%5)</translation>
    </message>
    <message>
        <source>, downloaded</source>
        <translation>, heruntergeladen</translation>
    </message>
    <message>
        <source>the download cache cannot be emptied: %1</source>
        <translation>der Download-Zwischenspeicher kann nicht geleert werden: %1</translation>
    </message>
    <message>
        <source>feed %1 takes no more arguments, but %2 was given</source>
        <translation>feed %1 nimmt keine weiteren Argumente, aber %2 wurde angegeben</translation>
    </message>
    <message>
        <source>feed needs refresh, list or clear</source>
        <translation>feed braucht refresh, list oder clear</translation>
    </message>
    <message>
        <source>unknown feed action &quot;%1&quot;; give refresh, list or clear</source>
        <translation>unbekannte Feed-Aktion „%1“; geben Sie refresh, list oder clear an</translation>
    </message>
    <message>
        <source>no product is offered: there are no firmware images in “%1” or “%2”, nor from a feed; they come from your module&apos;s maker (products --all lists every product)</source>
        <translation>kein Produkt wird angeboten: In „%1“ und „%2“ liegen keine Firmware-Abbilder, und kein Feed bietet welche an; sie kommen vom Hersteller Ihres Moduls (products --all listet alle Produkte auf)</translation>
    </message>
    <message>
        <source>“%1” has no firmware images in “%2” or “%3”, nor from a feed; its images are named “%4&lt;version&gt;.%5”</source>
        <translation>„%1“ hat keine Firmware-Abbilder in „%2“ oder „%3“ und keine aus einem Feed; seine Abbilder heißen „%4&lt;Version&gt;.%5“</translation>
    </message>
    <message>
        <source>Lists the versions of PRODUCT&apos;s firmware images in the order the version list shows them: the resource directory&apos;s, the user&apos;s own folder&apos;s, the feed&apos;s images already downloaded and the feed&apos;s releases still to download, as the last &quot;modflash-cli feed refresh&quot; verified them (nothing is read from the network). A feed release whose SHA-256 is that of an image listed before it is that image. PRODUCT is a title exactly as written or its page name (uTessary, Bruve).</source>
        <translation>Listet die Versionen der Firmware-Abbilder von PRODUCT in der Reihenfolge der Versionsliste auf: die des Ressourcenverzeichnisses, die des eigenen Ordners des Benutzers, die bereits heruntergeladenen Abbilder des Feeds und die noch herunterzuladenden Versionen des Feeds, so wie das letzte „modflash-cli feed refresh“ sie geprüft hat (nichts wird aus dem Netzwerk gelesen). Eine Version des Feeds, deren SHA-256 die eines zuvor aufgeführten Abbilds ist, ist dieses Abbild. PRODUCT ist ein Titel in genau dieser Schreibweise oder sein Seitenname (uTessary, Bruve).</translation>
    </message>
    <message>
        <source>Print a JSON array of {version, source (bundled, user, cache or feed), path, sample} with, for the feed&apos;s, {size, sha256, date, notes, url}.</source>
        <translation>Ein JSON-Array aus {version, source (bundled, user, cache oder feed), path, sample} ausgeben, bei denen des Feeds mit {size, sha256, date, notes, url}.</translation>
    </message>
    <message>
        <source>Writes VERSION of PRODUCT (or the image file PATH) onto the module by running the command that &quot;modflash-cli command&quot; shows, and prints what the window&apos;s log shows: the command, the tool&apos;s output as it arrives and the verdict. Ctrl-C, SIGTERM or SIGHUP (the terminal closing) asks the tool to end and the verdict follows; a second one, or 5 seconds without an end, kills the tool. While the tool runs, the machine is kept from suspending, and when standard output and standard error are both a terminal, a line on standard error shows the tool&apos;s phase and progress.

Before anything is written the image is checked (see &quot;modflash-cli check&quot;) and, with the module check on, an AVR module&apos;s chip is read: a module of another product is refused.

A feed release is downloaded first, into the download cache, and written only once its size and SHA-256 are the manifest&apos;s; without the network (--offline) only a release already downloaded can be written.

Exit status: 0 the update completed; 1 the tool failed; 2 the update could not run (a resource is missing or the tool cannot start; the reason is on standard error); 64 a usage mistake; 65 the checks before writing refused the image or the module, or the download is not the image the feed offers (the reason is on standard error; nothing was written); 69 the feed release cannot be downloaded (network, HTTP status, time, --offline); 75 another update of this user is running (it is named on standard error); 128+N when signal N stopped the update (130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP), once the verdict is printed. A failure to write the output is reported on standard error and does not change the exit status.</source>
        <translation>Schreibt VERSION von PRODUCT (oder die Abbilddatei PATH) auf das Modul, indem es den Befehl ausführt, den „modflash-cli command“ zeigt, und gibt aus, was das Protokoll des Fensters zeigt: den Befehl, die Ausgabe des Werkzeugs, sobald sie eintrifft, und das Ergebnis. Strg-C, SIGTERM oder SIGHUP (das Terminal wird geschlossen) bittet das Werkzeug, sich zu beenden, und das Ergebnis folgt; ein zweites Signal oder 5 Sekunden ohne Ende beenden das Werkzeug zwangsweise. Solange das Werkzeug läuft, wird der Bereitschaftsmodus des Rechners verhindert, und wenn Standardausgabe und Standardfehlerausgabe beide ein Terminal sind, zeigt eine Zeile in der Standardfehlerausgabe Phase und Fortschritt des Werkzeugs.

Bevor etwas geschrieben wird, wird das Abbild geprüft (siehe „modflash-cli check“) und bei eingeschalteter Modulprüfung der Chip eines AVR-Moduls ausgelesen: Ein Modul eines anderen Produkts wird zurückgewiesen.

Eine Version des Feeds wird zuerst in den Download-Zwischenspeicher heruntergeladen und erst geschrieben, wenn ihre Größe und SHA-256 die des Manifests sind; ohne Netzwerk (--offline) kann nur eine bereits heruntergeladene Version geschrieben werden.

Rückgabewert: 0 die Aktualisierung ist abgeschlossen; 1 das Werkzeug ist gescheitert; 2 die Aktualisierung konnte nicht laufen (eine Ressource fehlt oder das Werkzeug lässt sich nicht starten; der Grund steht in der Standardfehlerausgabe); 64 ein Bedienfehler; 65 die Prüfungen vor dem Schreiben haben das Abbild oder das Modul zurückgewiesen, oder der Download ist nicht das Abbild, das der Feed anbietet (der Grund steht in der Standardfehlerausgabe; nichts wurde geschrieben); 69 die Version des Feeds kann nicht heruntergeladen werden (Netzwerk, HTTP-Status, Zeit, --offline); 75 eine andere Aktualisierung dieses Benutzers läuft (sie wird in der Standardfehlerausgabe genannt); 128+N, wenn Signal N die Aktualisierung gestoppt hat (130 für Strg-C, 143 für SIGTERM, 129 für SIGHUP), sobald das Ergebnis ausgegeben ist. Ein Fehler beim Schreiben der Ausgabe wird in der Standardfehlerausgabe gemeldet und ändert den Rückgabewert nicht.</translation>
    </message>
    <message>
        <source>read the firmware feed, list its releases, empty the download cache</source>
        <translation>den Firmware-Feed lesen, seine Versionen auflisten, den Download-Zwischenspeicher leeren</translation>
    </message>
    <message>
        <source>refresh reads the feed&apos;s manifest and its signature from the server (--feed-url, else the one this modflash names) and keeps the manifest when its signature is a trusted key&apos;s and it is newer than any seen before. list prints the releases the manifest verified last offers, per product, without using the network. clear removes every downloaded image.

Exit status of refresh: 0 a verified manifest is in hand (new or the same as before); 64 there is no feed (no URL built in or given) or --offline forbids the network; 65 the server&apos;s manifest is refused (the reason is on standard error; the one verified before stays in use); 69 the feed cannot be reached (network, HTTP status, time).</source>
        <translation>refresh liest das Manifest des Feeds und seine Signatur vom Server (--feed-url, sonst der, den dieses modflash nennt) und behält das Manifest, wenn seine Signatur die eines vertrauenswürdigen Schlüssels ist und es neuer ist als jedes zuvor gesehene. list gibt die Versionen aus, die das zuletzt geprüfte Manifest anbietet, nach Produkten, ohne das Netzwerk zu verwenden. clear entfernt alle heruntergeladenen Abbilder.

Rückgabewert von refresh: 0 ein geprüftes Manifest liegt vor (neu oder dasselbe wie zuvor); 64 es gibt keinen Feed (keine URL eingebaut oder angegeben) oder --offline verbietet das Netzwerk; 65 das Manifest des Servers wird zurückgewiesen (der Grund steht in der Standardfehlerausgabe; das zuvor geprüfte bleibt in Gebrauch); 69 der Feed ist nicht erreichbar (Netzwerk, HTTP-Status, Zeit).</translation>
    </message>
    <message>
        <source>For list: print a JSON object {feed, serial, products: [{title, prefix, releases: [{version, date, notes, url, size, sha256, downloaded}]}]}.</source>
        <translation>Für list: ein JSON-Objekt {feed, serial, products: [{title, prefix, releases: [{version, date, notes, url, size, sha256, downloaded}]}]} ausgeben.</translation>
    </message>
    <message>
        <source>Image: %1</source>
        <translation>Abbild: %1</translation>
    </message>
    <message>
        <source>Format: %1</source>
        <translation>Format: %1</translation>
    </message>
    <message>
        <source>Size: %1</source>
        <translation>Größe: %1</translation>
    </message>
    <message>
        <source>Addresses: %1 to %2</source>
        <translation>Adressen: %1 bis %2</translation>
    </message>
    <message>
        <source>  passed  %1: %2</source>
        <translation>  bestanden        %1: %2</translation>
    </message>
    <message>
        <source>  FAILED  %1: %2</source>
        <translation>  NICHT BESTANDEN  %1: %2</translation>
    </message>
    <message>
        <source>Verdict: it would be written</source>
        <translation>Urteil: Es würde geschrieben</translation>
    </message>
    <message>
        <source>Verdict: refused: %1</source>
        <translation>Urteil: zurückgewiesen: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot;</source>
        <comment>a name or command in quotation marks</comment>
        <translation>„%1“</translation>
    </message>
    <message>
        <source>“%1”</source>
        <comment>a product&apos;s title in quotation marks</comment>
        <translation>„%1“</translation>
    </message>
    <message>
        <source>no subcommand given; run &quot;modflash-cli --help&quot; to list them</source>
        <translation>kein Unterbefehl angegeben; „modflash-cli --help“ listet sie auf</translation>
    </message>
    <message>
        <source>--resources needs a directory; give its path</source>
        <translation>--resources braucht ein Verzeichnis; geben Sie seinen Pfad an</translation>
    </message>
    <message>
        <source>feed refresh reads the feed from the network, which --offline forbids</source>
        <translation>feed refresh liest den Feed aus dem Netzwerk, was --offline verbietet</translation>
    </message>
    <message>
        <source>--json goes with feed list only</source>
        <translation>--json gehört nur zu feed list</translation>
    </message>
    <message>
        <source>versions needs a PRODUCT; run &quot;modflash-cli products&quot; to list them</source>
        <translation>versions braucht ein PRODUCT; „modflash-cli products“ listet sie auf</translation>
    </message>
    <message>
        <source>--json and --shell are two ways to print the command; give only one</source>
        <translation>--json und --shell sind zwei Arten, den Befehl auszugeben; bitte nur eine davon angeben</translation>
    </message>
    <message>
        <source>--file needs factory firmware enabled; add --factory to enable it for this run</source>
        <translation>--file setzt aktivierte Werks-Firmware voraus; mit --factory wird sie für diesen Aufruf aktiviert</translation>
    </message>
    <message>
        <source>; to write it all the same, add --force --factory</source>
        <translation>; um es trotzdem zu schreiben, fügen Sie --force --factory hinzu</translation>
    </message>
    <message>
        <source>give either a VERSION or --file PATH, not both</source>
        <translation>geben Sie entweder eine VERSION oder --file PATH an, nicht beides</translation>
    </message>
</context>
<context>
    <name>DownloadCache</name>
    <message>
        <source>the download cache %1 cannot be made</source>
        <translation>der Download-Zwischenspeicher %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>the cached image %1 was changed after it was downloaded and verified; it is removed and will be downloaded again</source>
        <translation>das zwischengespeicherte Abbild %1 wurde verändert, nachdem es heruntergeladen und geprüft wurde; es wird entfernt und erneut heruntergeladen</translation>
    </message>
    <message>
        <source>%1 cannot be removed</source>
        <translation>%1 kann nicht entfernt werden</translation>
    </message>
</context>
<context>
    <name>FeedState</name>
    <message>
        <source>&quot;%1&quot; is not a feed name: one to 64 letters, digits, &quot;.&quot;, &quot;_&quot; or &quot;-&quot;, beginning with a letter or digit</source>
        <translation>„%1“ ist kein Feed-Name: ein bis 64 Buchstaben, Ziffern, „.“, „_“ oder „-“, beginnend mit einem Buchstaben oder einer Ziffer</translation>
    </message>
    <message>
        <source>the feed&apos;s state cannot be written to %1: %2</source>
        <translation>der Zustand des Feeds kann nicht nach %1 geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>FeedUrlRule</name>
    <message>
        <source>&quot;%1&quot; is not a complete URL</source>
        <translation>„%1“ ist keine vollständige URL</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an https URL</source>
        <translation>„%1“ ist keine https-URL</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no server</source>
        <translation>„%1“ nennt keinen Server</translation>
    </message>
    <message>
        <source>&quot;%1&quot; carries a user name or password</source>
        <translation>„%1“ enthält einen Benutzernamen oder ein Passwort</translation>
    </message>
    <message>
        <source>&quot;%1&quot; uses plain http, which is taken only from this machine (127.0.0.1 or ::1); the feed must use https</source>
        <translation>„%1“ verwendet einfaches http, das nur von diesem Rechner angenommen wird (127.0.0.1 oder ::1); der Feed muss https verwenden</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>&amp;Product:</source>
        <translation>&amp;Produkt:</translation>
    </message>
    <message>
        <source>&amp;Version:</source>
        <translation>&amp;Version:</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>&amp;AVR programmer:</source>
        <translation>AV&amp;R-Programmer:</translation>
    </message>
    <message>
        <source>S&amp;T-Link probe:</source>
        <translation>S&amp;T-Link-Adapter:</translation>
    </message>
    <message>
        <source>Enable factor&amp;y firmware</source>
        <translation>&amp;Werks-Firmware aktivieren</translation>
    </message>
    <message>
        <source>&amp;Mass erase before programming</source>
        <translation>Vor dem Programmieren vollständig lösche&amp;n</translation>
    </message>
    <message>
        <source>Chec&amp;k the module before writing</source>
        <translation>Modul vor dem Schreiben prü&amp;fen</translation>
    </message>
    <message>
        <source>Before writing an AVR module, read its chip&apos;s signature and refuse a module of another product</source>
        <translation>Vor dem Schreiben eines AVR-Moduls die Signatur seines Chips lesen und ein Modul eines anderen Produkts zurückweisen</translation>
    </message>
    <message>
        <source>O&amp;nline Help</source>
        <translation>Online-Hilf&amp;e</translation>
    </message>
    <message>
        <source>Open the firmware updates page in your web browser</source>
        <translation>Die Seite mit Firmware-Aktualisierungen im Webbrowser öffnen</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>Anle&amp;itung</translation>
    </message>
    <message>
        <source>L&amp;og</source>
        <translation>Pr&amp;otokoll</translation>
    </message>
    <message>
        <source>&amp;Copy Log</source>
        <translation>Protokoll &amp;kopieren</translation>
    </message>
    <message>
        <source>Copy the whole log to the clipboard</source>
        <translation>Das ganze Protokoll in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Save &amp;Log...</source>
        <translation>Protoko&amp;ll speichern …</translation>
    </message>
    <message>
        <source>Save the whole log as a text file</source>
        <translation>Das ganze Protokoll als Textdatei speichern</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Save Log...</source>
        <translation>Protokoll &amp;speichern …</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;About modflash</source>
        <translation>&amp;Über modflash</translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation>&amp;Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&amp;Online Help</source>
        <translation>&amp;Online-Hilfe</translation>
    </message>
    <message>
        <source>All Not&amp;es</source>
        <translation>Alle Hinweise &amp;zeigen</translation>
    </message>
    <message>
        <source>Fi&amp;rmware</source>
        <translation>Fir&amp;mware</translation>
    </message>
    <message>
        <source>&amp;Check for New Firmware</source>
        <translation>&amp;Nach neuer Firmware suchen</translation>
    </message>
    <message>
        <source>&amp;Open Firmware Folder</source>
        <translation>Firmware-&amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>&amp;Empty Download Cache...</source>
        <translation>Download-&amp;Zwischenspeicher leeren …</translation>
    </message>
</context>
<context>
    <name>ManifestReader</name>
    <message>
        <source>the manifest holds more than %1 bytes</source>
        <translation>das Manifest enthält mehr als %1 Bytes</translation>
    </message>
    <message>
        <source>the manifest is not UTF-8 text</source>
        <translation>das Manifest ist kein UTF-8-Text</translation>
    </message>
    <message>
        <source>the manifest is not JSON: %1 at byte %2</source>
        <translation>das Manifest ist kein JSON: %1 bei Byte %2</translation>
    </message>
    <message>
        <source>the manifest is not a JSON object</source>
        <translation>das Manifest ist kein JSON-Objekt</translation>
    </message>
    <message>
        <source>the manifest has no list of products</source>
        <translation>das Manifest hat keine Liste von Produkten</translation>
    </message>
    <message>
        <source>the file is not a modflash feed manifest (its &quot;format&quot; is not &quot;%1&quot;)</source>
        <translation>die Datei ist kein Feed-Manifest von modflash (ihr „format“ ist nicht „%1“)</translation>
    </message>
    <message>
        <source>the manifest&apos;s format version %1 is not one this modflash reads (%2); a newer modflash may read it</source>
        <translation>die Formatversion %1 des Manifests liest dieses modflash nicht (%2); ein neueres modflash liest sie vielleicht</translation>
    </message>
    <message>
        <source>the manifest is of the feed &quot;%1&quot;, not of &quot;%2&quot; as asked</source>
        <translation>das Manifest gehört zum Feed „%1“, nicht wie verlangt zu „%2“</translation>
    </message>
    <message>
        <source>the manifest&apos;s serial is not a whole number</source>
        <translation>die Seriennummer des Manifests ist keine ganze Zahl</translation>
    </message>
    <message>
        <source>the manifest&apos;s &quot;issued&quot; or &quot;expires&quot; is not a time written as YYYY-MM-DDTHH:MM:SSZ</source>
        <translation>„issued“ oder „expires“ des Manifests ist keine als JJJJ-MM-TTTHH:MM:SSZ geschriebene Zeit</translation>
    </message>
    <message>
        <source>the manifest expired on %1: the feed&apos;s server has not been given a current one, or this computer&apos;s clock is wrong</source>
        <translation>das Manifest ist am %1 abgelaufen: Der Server des Feeds hat kein aktuelles bekommen, oder die Uhr dieses Rechners geht falsch</translation>
    </message>
    <message>
        <source>the manifest is issued on %1, more than a day from now: this computer&apos;s clock is wrong, or the manifest is</source>
        <translation>das Manifest ist am %1 ausgestellt, mehr als einen Tag in der Zukunft: Die Uhr dieses Rechners geht falsch, oder das Manifest ist falsch</translation>
    </message>
    <message>
        <source>product &quot;%1&quot;: no product of the catalogue has this prefix</source>
        <translation>Produkt „%1“: kein Produkt des Katalogs hat dieses Präfix</translation>
    </message>
    <message>
        <source>product &quot;%1&quot;: listed twice</source>
        <translation>Produkt „%1“: zweimal aufgeführt</translation>
    </message>
    <message>
        <source>product &quot;%1&quot;: no list of releases</source>
        <translation>Produkt „%1“: keine Liste von Versionen</translation>
    </message>
    <message>
        <source>product &quot;%1&quot;: %2</source>
        <translation>Produkt „%1“: %2</translation>
    </message>
    <message>
        <source>product &quot;%1&quot;: release &quot;%2&quot; is listed %3 times</source>
        <translation>Produkt „%1“: Version „%2“ ist %3-mal aufgeführt</translation>
    </message>
</context>
<context>
    <name>ManifestWriter</name>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>the serial %1 is larger than %2, the largest a manifest holds</source>
        <translation>die Seriennummer %1 ist größer als %2, die größte, die ein Manifest fasst</translation>
    </message>
    <message>
        <source>the serial %1 is lower than %2, the lowest this build of modflash takes (MODFLASH_FEED_SERIAL_FLOOR)</source>
        <translation>die Seriennummer %1 ist kleiner als %2, die kleinste, die dieser Build von modflash annimmt (MODFLASH_FEED_SERIAL_FLOOR)</translation>
    </message>
    <message>
        <source>the manifest must stay valid for at least one day</source>
        <translation>das Manifest muss mindestens einen Tag gültig bleiben</translation>
    </message>
    <message>
        <source>there is no directory %1</source>
        <translation>es gibt kein Verzeichnis %1</translation>
    </message>
    <message>
        <source>%1 holds no image</source>
        <translation>%1 enthält kein Abbild</translation>
    </message>
    <message>
        <source>there is no directory %1 for the notes</source>
        <translation>es gibt kein Verzeichnis %1 für die Hinweise</translation>
    </message>
    <message>
        <source>“%1” of the notes belongs to no image: notes are named after their image, as “Wendrel.2.1.bin.txt”</source>
        <translation>„%1“ der Hinweise gehört zu keinem Abbild: Hinweise heißen nach ihrem Abbild, etwa „Wendrel.2.1.bin.txt“</translation>
    </message>
    <message>
        <source>“%1” cannot be withdrawn: no image of that name is in the feed</source>
        <translation>„%1“ kann nicht zurückgezogen werden: Kein Abbild dieses Namens ist im Feed</translation>
    </message>
    <message>
        <source>modflash would refuse the manifest: %1</source>
        <translation>modflash würde das Manifest zurückweisen: %1</translation>
    </message>
    <message>
        <source>modflash would leave out %1</source>
        <translation>modflash würde %1 auslassen</translation>
    </message>
    <message>
        <source>%1 is where the feed&apos;s images are written: keep the images to publish in a directory of their own</source>
        <translation>in %1 werden die Abbilder des Feeds geschrieben: Bewahren Sie die zu veröffentlichenden Abbilder in einem eigenen Verzeichnis auf</translation>
    </message>
    <message>
        <source>%1 cannot be made</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>the withdrawn image %1 cannot be removed</source>
        <translation>das zurückgezogene Abbild %1 kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>the old signature %1 cannot be removed</source>
        <translation>die alte Signatur %1 kann nicht entfernt werden</translation>
    </message>
</context>
<context>
    <name>MinisignKey</name>
    <message>
        <source>the public key is not base64 text</source>
        <translation>der öffentliche Schlüssel ist kein Base64-Text</translation>
    </message>
    <message>
        <source>the public key holds %1 bytes where a minisign key holds %2</source>
        <translation>der öffentliche Schlüssel enthält %1 Bytes, wo ein minisign-Schlüssel %2 enthält</translation>
    </message>
    <message>
        <source>the public key is not an Ed25519 minisign key</source>
        <translation>der öffentliche Schlüssel ist kein Ed25519-Schlüssel von minisign</translation>
    </message>
    <message>
        <source>the file holds %1 public keys where one was expected</source>
        <translation>die Datei enthält %1 öffentliche Schlüssel, wo einer erwartet wurde</translation>
    </message>
</context>
<context>
    <name>MinisignSignature</name>
    <message>
        <source>the signature file holds more than %1 bytes: it is no minisign signature</source>
        <translation>die Signaturdatei enthält mehr als %1 Bytes und ist damit keine minisign-Signatur</translation>
    </message>
    <message>
        <source>the signature file has %1 lines where a minisign signature has 4</source>
        <translation>die Signaturdatei hat %1 Zeilen, wo eine minisign-Signatur 4 hat</translation>
    </message>
    <message>
        <source>the signature file&apos;s first line is not an &quot;untrusted comment:&quot;</source>
        <translation>die erste Zeile der Signaturdatei ist kein „untrusted comment:“</translation>
    </message>
    <message>
        <source>the signature file&apos;s third line is not a &quot;trusted comment:&quot;</source>
        <translation>die dritte Zeile der Signaturdatei ist kein „trusted comment:“</translation>
    </message>
    <message>
        <source>the signature line is not base64 text</source>
        <translation>die Signaturzeile ist kein Base64-Text</translation>
    </message>
    <message>
        <source>the signature line holds %1 bytes where a minisign signature holds %2</source>
        <translation>die Signaturzeile enthält %1 Bytes, wo eine minisign-Signatur %2 enthält</translation>
    </message>
    <message>
        <source>the signature uses an algorithm other than minisign&apos;s Ed25519</source>
        <translation>die Signatur verwendet ein anderes Verfahren als das Ed25519 von minisign</translation>
    </message>
    <message>
        <source>the signature of the trusted comment is not base64 text</source>
        <translation>die Signatur des vertrauenswürdigen Kommentars ist kein Base64-Text</translation>
    </message>
    <message>
        <source>the signature of the trusted comment holds %1 bytes where an Ed25519 signature holds %2</source>
        <translation>die Signatur des vertrauenswürdigen Kommentars enthält %1 Bytes, wo eine Ed25519-Signatur %2 enthält</translation>
    </message>
</context>
<context>
    <name>MinisignVerifier</name>
    <message>
        <source>none is trusted</source>
        <translation>keinem wird vertraut</translation>
    </message>
    <message>
        <source>trusted: %1</source>
        <translation>vertrauenswürdig: %1</translation>
    </message>
    <message>
        <source>signed with key %1, which is not a trusted key (%2)</source>
        <translation>mit dem Schlüssel %1 signiert, der kein vertrauenswürdiger Schlüssel ist (%2)</translation>
    </message>
    <message>
        <source>this OpenSSL cannot compute BLAKE2b-512 hashes</source>
        <translation>dieses OpenSSL kann keine BLAKE2b-512-Prüfsummen berechnen</translation>
    </message>
    <message>
        <source>the signature does not match the file: it was changed after it was signed, or signed with another key of the same id</source>
        <translation>die Signatur passt nicht zur Datei: Sie wurde nach dem Signieren verändert oder mit einem anderen Schlüssel derselben Kennung signiert</translation>
    </message>
    <message>
        <source>the signature&apos;s trusted comment was changed after it was signed</source>
        <translation>der vertrauenswürdige Kommentar der Signatur wurde nach dem Signieren verändert</translation>
    </message>
</context>
<context>
    <name>PublishedFiles</name>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>holds %1 bytes, the manifest says %2</source>
        <translation>enthält %1 Bytes, das Manifest gibt %2 an</translation>
    </message>
    <message>
        <source>has another SHA-256 than the manifest says: it changed after the manifest was written</source>
        <translation>hat eine andere SHA-256, als das Manifest angibt: Es hat sich verändert, nachdem das Manifest geschrieben wurde</translation>
    </message>
    <message>
        <source>%1 %2: %3 %4</source>
        <translation>%1 %2: %3 %4</translation>
    </message>
</context>
<context>
    <name>PublishedImage</name>
    <message>
        <source>“%1” does not begin with the prefix of any product of the catalogue (an image is named prefix, version and extension: “Wendrel.2.1.bin”)</source>
        <translation>„%1“ beginnt mit keinem Präfix eines Produkts des Katalogs (ein Abbild heißt Präfix, Version und Endung: „Wendrel.2.1.bin“)</translation>
    </message>
    <message>
        <source>“%1” begins with the prefixes of both %2 and %3: rename it</source>
        <translation>„%1“ beginnt mit den Präfixen von %2 und %3: Benennen Sie es um</translation>
    </message>
    <message>
        <source>“%1” has the prefix of %2, whose images end in “%3”</source>
        <translation>„%1“ hat das Präfix von %2, dessen Abbilder auf „%3“ enden</translation>
    </message>
    <message>
        <source>“%1”: %2</source>
        <translation>„%1“: %2</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[Optionen]</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Choose a Firmware Image</source>
        <translation>Firmware-Abbild auswählen</translation>
    </message>
    <message>
        <source>Firmware images (*.%1)</source>
        <translation>Firmware-Abbilder (*.%1)</translation>
    </message>
    <message>
        <source>Save the Log</source>
        <translation>Protokoll speichern</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>ReleaseNotes</name>
    <message>
        <source>notes “%1”: %2</source>
        <translation>Hinweise „%1“: %2</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>not UTF-8 text</source>
        <translation>kein UTF-8-Text</translation>
    </message>
</context>
<context>
    <name>ReleaseReader</name>
    <message>
        <source>a release is not a JSON object</source>
        <translation>eine Version ist kein JSON-Objekt</translation>
    </message>
    <message>
        <source>release &quot;%1&quot;: %2</source>
        <translation>Version „%1“: %2</translation>
    </message>
    <message>
        <source>the version text is empty</source>
        <translation>der Versionstext ist leer</translation>
    </message>
    <message>
        <source>the version text is longer than %1 characters</source>
        <translation>der Versionstext ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>the version text &quot;%1&quot; names a directory</source>
        <translation>der Versionstext „%1“ nennt ein Verzeichnis</translation>
    </message>
    <message>
        <source>the version text &quot;%1&quot; holds a &quot;/&quot;</source>
        <translation>der Versionstext „%1“ enthält ein „/“</translation>
    </message>
    <message>
        <source>the version text holds control characters</source>
        <translation>der Versionstext enthält Steuerzeichen</translation>
    </message>
    <message>
        <source>the notes are longer than %1 bytes</source>
        <translation>die Hinweise sind länger als %1 Bytes</translation>
    </message>
    <message>
        <source>the notes hold control characters: they are not plain text</source>
        <translation>die Hinweise enthalten Steuerzeichen: Sie sind kein reiner Text</translation>
    </message>
    <message>
        <source>a release has no version text</source>
        <translation>eine Version hat keinen Versionstext</translation>
    </message>
    <message>
        <source>a release is refused: %1</source>
        <translation>eine Version wird zurückgewiesen: %1</translation>
    </message>
    <message>
        <source>the date is not a day written as YYYY-MM-DD</source>
        <translation>das Datum ist kein als JJJJ-MM-TT geschriebener Tag</translation>
    </message>
    <message>
        <source>the notes are not text</source>
        <translation>die Hinweise sind kein Text</translation>
    </message>
    <message>
        <source>there is no URL</source>
        <translation>es gibt keine URL</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a URL</source>
        <translation>„%1“ ist keine URL</translation>
    </message>
    <message>
        <source>the size is not a whole number of bytes</source>
        <translation>die Größe ist keine ganze Zahl von Bytes</translation>
    </message>
    <message>
        <source>the size is 0 bytes</source>
        <translation>die Größe ist 0 Bytes</translation>
    </message>
    <message>
        <source>the size, %1 bytes, is more than the product&apos;s flash can hold (%2 bytes)</source>
        <translation>die Größe von %1 Bytes ist mehr, als der Flash-Speicher des Produkts fasst (%2 Bytes)</translation>
    </message>
    <message>
        <source>the SHA-256 is not 64 lower-case hexadecimal digits</source>
        <translation>die SHA-256 besteht nicht aus 64 kleingeschriebenen Hexadezimalziffern</translation>
    </message>
    <message>
        <source>&quot;withdrawn&quot; is neither true nor false</source>
        <translation>„withdrawn“ ist weder true noch false</translation>
    </message>
</context>
<context>
    <name>TrustedKeys</name>
    <message>
        <source>the key file holds more than %1 bytes: it is no list of public keys</source>
        <translation>die Schlüsseldatei enthält mehr als %1 Bytes: Sie ist keine Liste öffentlicher Schlüssel</translation>
    </message>
    <message>
        <source>line %1 of the key file: a comment with no key after it</source>
        <translation>Zeile %1 der Schlüsseldatei: ein Kommentar ohne Schlüssel danach</translation>
    </message>
    <message>
        <source>line %1 of the key file: %2</source>
        <translation>Zeile %1 der Schlüsseldatei: %2</translation>
    </message>
    <message>
        <source>the key file ends with a comment and no key after it</source>
        <translation>die Schlüsseldatei endet mit einem Kommentar ohne Schlüssel danach</translation>
    </message>
    <message>
        <source>the key file holds no public key</source>
        <translation>die Schlüsseldatei enthält keinen öffentlichen Schlüssel</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>modflash</name>
    <message>
        <source>Use the resource directory DIR instead of the one beside the program.</source>
        <translation>Das Ressourcenverzeichnis DIR statt des Verzeichnisses neben dem Programm verwenden.</translation>
    </message>
    <message>
        <source>Updates the firmware of modules.</source>
        <translation>Aktualisiert die Firmware von Modulen.</translation>
    </message>
    <message>
        <source>%1 See --help.</source>
        <translation>%1 Siehe --help.</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;; see --help</source>
        <translation>unerwartetes Argument „%1“; siehe --help</translation>
    </message>
    <message>
        <source>the resource directory &quot;%1&quot; does not exist</source>
        <translation>das Ressourcenverzeichnis „%1“ existiert nicht</translation>
    </message>
    <message>
        <source>Trust the minisign public key in FILE for the firmware feed&apos;s signature too, for this run (a maker&apos;s test feed).</source>
        <translation>Dem öffentlichen minisign-Schlüssel in FILE für die Signatur des Firmware-Feeds ebenfalls vertrauen, für diesen Aufruf (ein Test-Feed des Herstellers).</translation>
    </message>
    <message>
        <source>--feed-key %1 cannot be used: %2; give a minisign public key file</source>
        <translation>--feed-key %1 ist nicht verwendbar: %2; bitte eine Datei mit einem öffentlichen minisign-Schlüssel angeben</translation>
    </message>
</context>
<context>
    <name>modflash::AboutDialog</name>
    <message>
        <source>About modflash</source>
        <translation>Über modflash</translation>
    </message>
    <message>
        <source>asking…</source>
        <translation>wird abgefragt …</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>nicht gefunden</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>cannot be run</source>
        <translation>lässt sich nicht ausführen</translation>
    </message>
    <message>
        <source>&lt;h2&gt;modflash %1&lt;/h2&gt;&lt;p&gt;Updates the firmware of modules built on AVR and STM32 chips.&lt;/p&gt;&lt;p&gt;Build date: %2&lt;br&gt;Qt %3&lt;/p&gt;&lt;p&gt;Flashing tools:&lt;br&gt;%4&lt;/p&gt;&lt;p&gt;Licensed under the GNU General Public License, version 3 or (at your option) any later version (GPL-3.0-or-later).&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%5&quot;&gt;%5&lt;/a&gt;&lt;/p&gt;</source>
        <translation>&lt;h2&gt;modflash %1&lt;/h2&gt;&lt;p&gt;Aktualisiert die Firmware von Modulen mit AVR- und STM32-Chips.&lt;/p&gt;&lt;p&gt;Erstellt am: %2&lt;br&gt;Qt %3&lt;/p&gt;&lt;p&gt;Flash-Werkzeuge:&lt;br&gt;%4&lt;/p&gt;&lt;p&gt;Lizenziert unter der GNU General Public License, Version 3 oder (nach Ihrer Wahl) jeder späteren Version (GPL-3.0-or-later).&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%5&quot;&gt;%5&lt;/a&gt;&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>modflash::AppDelegate</name>
    <message>
        <source>Write This Image?</source>
        <translation>Dieses Abbild schreiben?</translation>
    </message>
    <message>
        <source>%1.

Write it all the same only if you know it is right for this module.</source>
        <translation>%1.

Schreiben Sie es nur dann trotzdem, wenn Sie wissen, dass es für dieses Modul richtig ist.</translation>
    </message>
    <message>
        <source>Write It</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Kopiert</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Gespeichert</translation>
    </message>
</context>
<context>
    <name>modflash::AvrdudeProfile</name>
    <message>
        <source>This user may not open the programmer (%1).</source>
        <translation>Dieser Benutzer darf den Programmer nicht öffnen (%1).</translation>
    </message>
    <message>
        <source>avrdude was ended by a signal before it had read the module&apos;s signature.</source>
        <translation>avrdude wurde durch ein Signal beendet, bevor es die Signatur des Moduls gelesen hatte.</translation>
    </message>
    <message>
        <source>avrdude ended with exit status %1 before it had read the module&apos;s signature: see its output above for why.</source>
        <translation>avrdude endete mit dem Rückgabewert %1, bevor es die Signatur des Moduls gelesen hatte: Den Grund finden Sie oben in seiner Ausgabe.</translation>
    </message>
</context>
<context>
    <name>modflash::BuildInfo</name>
    <message>
        <source>Build date: %1</source>
        <translation>Erstellt am: %1</translation>
    </message>
</context>
<context>
    <name>modflash::DevicePresence</name>
    <message>
        <source>, %1 flash</source>
        <translation>, %1 Flash</translation>
    </message>
    <message>
        <source>USB devices cannot be listed on this computer, so modflash cannot check for the %1</source>
        <translation>USB-Geräte lassen sich auf diesem Rechner nicht auflisten, daher kann modflash nicht prüfen, ob ein %1 angeschlossen ist</translation>
    </message>
</context>
<context>
    <name>modflash::DeviceRequirement</name>
    <message>
        <source>programmer</source>
        <translation>Programmer</translation>
    </message>
    <message>
        <source>connect it by USB, or choose the %1 you use in the preferences</source>
        <translation>Schließen Sie ihn per USB an oder wählen Sie in den Einstellungen den %1, den Sie verwenden</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot;</source>
        <translation>%1 „%2“</translation>
    </message>
    <message>
        <source>an %1</source>
        <translation>ein %1</translation>
    </message>
    <message>
        <source>a %1</source>
        <translation>ein %1</translation>
    </message>
    <message>
        <source>DFU boot loader</source>
        <translation>DFU-Bootloader</translation>
    </message>
    <message>
        <source>put the module into its boot loader mode as the instructions say</source>
        <translation>Versetzen Sie das Modul wie in der Anleitung beschrieben in den Bootloader-Modus</translation>
    </message>
    <message>
        <source>modflash does not know the USB id of the %1, so it cannot tell whether it is connected</source>
        <translation>modflash kennt die USB-ID für %1 nicht und kann daher nicht feststellen, ob er angeschlossen ist</translation>
    </message>
    <message>
        <source>%1 found (USB %2)</source>
        <translation>%1 gefunden (USB %2)</translation>
    </message>
    <message>
        <source>No %1 found, but %2 is connected: choose &quot;%3&quot; as the %4 in the preferences</source>
        <translation>Kein %1 gefunden, aber %2 ist angeschlossen: Wählen Sie in den Einstellungen „%3“ als %4</translation>
    </message>
    <message>
        <source>No %1 found: %2</source>
        <translation>Kein %1 gefunden: %2</translation>
    </message>
    <message>
        <source>probe</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <source>%1 found, but this user may not open it (USB %2)</source>
        <translation>%1 gefunden, aber dieser Benutzer darf ihn nicht öffnen (USB %2)</translation>
    </message>
    <message>
        <source>The module left its %1 after the update, as it should</source>
        <translation>Das Modul hat seinen %1 nach der Aktualisierung verlassen, wie es soll</translation>
    </message>
</context>
<context>
    <name>modflash::EmptyOfferPage</name>
    <message>
        <source>&lt;h1&gt;modflash cannot find its resources&lt;/h1&gt;&lt;p&gt;The directory that should hold the firmware images, the instructions and the flashing tools is missing: %1&lt;/p&gt;&lt;p&gt;Install modflash again, or start it with &lt;tt&gt;--resources DIR&lt;/tt&gt;.&lt;/p&gt;</source>
        <translation>&lt;h1&gt;modflash findet seine Ressourcen nicht&lt;/h1&gt;&lt;p&gt;Das Verzeichnis, das die Firmware-Abbilder, die Anleitungen und die Flash-Werkzeuge enthalten sollte, fehlt: %1&lt;/p&gt;&lt;p&gt;Installieren Sie modflash erneut oder starten Sie es mit &lt;tt&gt;--resources DIR&lt;/tt&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h1&gt;No firmware images yet&lt;/h1&gt;&lt;p&gt;modflash offers the products it has firmware images for, and it finds none: neither among those installed with it, in %1, nor in your own firmware folder, %2.&lt;/p&gt;&lt;p&gt;Put the images from your module&apos;s maker into your folder: &lt;a href=&quot;%3&quot;&gt;open the firmware folder&lt;/a&gt;.%4&lt;/p&gt;&lt;p&gt;%5&lt;/p&gt;</source>
        <translation>&lt;h1&gt;Noch keine Firmware-Abbilder&lt;/h1&gt;&lt;p&gt;modflash bietet die Produkte an, für die es Firmware-Abbilder hat, und es findet keine: weder unter den mit ihm installierten, in %1, noch in Ihrem eigenen Firmware-Ordner, %2.&lt;/p&gt;&lt;p&gt;Legen Sie die Abbilder vom Hersteller Ihres Moduls in Ihren Ordner: &lt;a href=&quot;%3&quot;&gt;Firmware-Ordner öffnen&lt;/a&gt;.%4&lt;/p&gt;&lt;p&gt;%5&lt;/p&gt;</translation>
    </message>
    <message>
        <source> Products for factory firmware appear once “Enable factory firmware” is on.</source>
        <translation> Produkte für Werks-Firmware erscheinen, sobald „Werks-Firmware aktivieren“ eingeschaltet ist.</translation>
    </message>
</context>
<context>
    <name>modflash::FamilyProfile</name>
    <message>
        <source>Connect the programmer by USB, and choose the one you use in the preferences.</source>
        <translation>Schließen Sie den Programmer per USB an und wählen Sie in den Einstellungen den, den Sie verwenden.</translation>
    </message>
    <message>
        <source>The module does not answer: check that the ISP cable sits with its red stripe on pin 1 and that the module&apos;s supply is on.</source>
        <translation>Das Modul antwortet nicht: Prüfen Sie, ob das ISP-Kabel mit dem roten Streifen auf Pin 1 sitzt und ob die Versorgung des Moduls eingeschaltet ist.</translation>
    </message>
    <message>
        <source>The module reads back other data than was written: write it again, and check the ISP cable and the module&apos;s supply.</source>
        <translation>Das Modul liefert beim Zurücklesen andere Daten, als geschrieben wurden: Schreiben Sie es erneut und prüfen Sie das ISP-Kabel und die Versorgung des Moduls.</translation>
    </message>
    <message>
        <source>Check the ISP cable (red stripe to pin 1), the module&apos;s supply and the programmer chosen in the preferences.</source>
        <translation>Prüfen Sie das ISP-Kabel (roter Streifen an Pin 1), die Versorgung des Moduls und den in den Einstellungen gewählten Programmer.</translation>
    </message>
    <message>
        <source>Put the module into its boot loader mode as its instructions say, and try another USB cable.</source>
        <translation>Versetzen Sie das Modul wie in seiner Anleitung beschrieben in den Bootloader-Modus und versuchen Sie ein anderes USB-Kabel.</translation>
    </message>
    <message>
        <source>The boot loader stopped answering: switch the module off and on in its boot loader mode, then update again.</source>
        <translation>Der Bootloader antwortet nicht mehr: Schalten Sie das Modul im Bootloader-Modus aus und wieder ein und aktualisieren Sie dann erneut.</translation>
    </message>
    <message>
        <source>The module reads back other data than was written: update again.</source>
        <translation>Das Modul liefert beim Zurücklesen andere Daten, als geschrieben wurden: Aktualisieren Sie erneut.</translation>
    </message>
    <message>
        <source>Connect the ST-Link probe by USB, and choose the one you use in the preferences.</source>
        <translation>Schließen Sie den ST-Link-Adapter per USB an und wählen Sie in den Einstellungen den, den Sie verwenden.</translation>
    </message>
    <message>
        <source>The module does not answer: check the SWD cable and that the module is powered.</source>
        <translation>Das Modul antwortet nicht: Prüfen Sie das SWD-Kabel und ob das Modul mit Strom versorgt ist.</translation>
    </message>
    <message>
        <source>The module reads back other data than was written: write it again, and check the SWD cable.</source>
        <translation>Das Modul liefert beim Zurücklesen andere Daten, als geschrieben wurden: Schreiben Sie es erneut und prüfen Sie das SWD-Kabel.</translation>
    </message>
    <message>
        <source>Check the SWD cable, the module&apos;s power and the ST-Link probe chosen in the preferences.</source>
        <translation>Prüfen Sie das SWD-Kabel, die Stromversorgung des Moduls und den in den Einstellungen gewählten ST-Link-Adapter.</translation>
    </message>
</context>
<context>
    <name>modflash::FileKind</name>
    <message>
        <source>an HTML page</source>
        <translation>eine HTML-Seite</translation>
    </message>
    <message>
        <source>an XML document</source>
        <translation>ein XML-Dokument</translation>
    </message>
    <message>
        <source>a JSON document</source>
        <translation>ein JSON-Dokument</translation>
    </message>
    <message>
        <source>a ZIP archive</source>
        <translation>ein ZIP-Archiv</translation>
    </message>
    <message>
        <source>a gzip archive</source>
        <translation>ein gzip-Archiv</translation>
    </message>
    <message>
        <source>an ELF file</source>
        <translation>eine ELF-Datei</translation>
    </message>
    <message>
        <source>an Intel HEX file</source>
        <translation>eine Intel-HEX-Datei</translation>
    </message>
    <message>
        <source>a text file</source>
        <translation>eine Textdatei</translation>
    </message>
    <message>
        <source>blank flash (every byte 0xFF)</source>
        <translation>leerer Flash (jedes Byte 0xFF)</translation>
    </message>
    <message>
        <source>nothing but zero bytes</source>
        <translation>nichts als Nullbytes</translation>
    </message>
    <message>
        <source>binary data</source>
        <translation>Binärdaten</translation>
    </message>
</context>
<context>
    <name>modflash::FirmwareDropHandler</name>
    <message>
        <source>Only a firmware image file can be dropped here.</source>
        <translation>Hier kann nur eine Firmware-Abbilddatei abgelegt werden.</translation>
    </message>
    <message>
        <source>Drop one firmware image at a time.</source>
        <translation>Bitte jeweils nur ein Firmware-Abbild ablegen.</translation>
    </message>
    <message>
        <source>An update is running; drop the image again once it has ended.</source>
        <translation>Eine Aktualisierung läuft; legen Sie das Abbild erneut ab, wenn sie beendet ist.</translation>
    </message>
    <message>
        <source>Choose the product first, then drop its image.</source>
        <translation>Wählen Sie zuerst das Produkt und legen Sie dann sein Abbild ab.</translation>
    </message>
    <message>
        <source>Only files on this computer can be used; save the image first.</source>
        <translation>Nur Dateien auf diesem Rechner können verwendet werden; speichern Sie das Abbild zuerst.</translation>
    </message>
    <message>
        <source>“%1” is not a file.</source>
        <translation>„%1“ ist keine Datei.</translation>
    </message>
    <message>
        <source>“%1” is not a .%2 file, so it is not an image for %3.</source>
        <translation>„%1“ ist keine .%2-Datei und damit kein Abbild für %3.</translation>
    </message>
    <message>
        <source>Updating from a file of your own needs “Enable factory firmware” in the preferences.</source>
        <translation>Die Aktualisierung aus einer eigenen Datei erfordert „Werks-Firmware aktivieren“ in den Einstellungen.</translation>
    </message>
</context>
<context>
    <name>modflash::FirmwareMenu</name>
    <message>
        <source>The Firmware Folder Cannot Be Made</source>
        <translation>Der Firmware-Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Empty the Download Cache?</source>
        <translation>Download-Zwischenspeicher leeren?</translation>
    </message>
    <message>
        <source>The firmware downloaded from the feed (%1) is removed. A release is downloaded again when it is written next.</source>
        <translation>Die aus dem Feed heruntergeladene Firmware (%1) wird entfernt. Eine Version wird erneut heruntergeladen, wenn sie das nächste Mal geschrieben wird.</translation>
    </message>
    <message>
        <source>Empty It</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The Download Cache Cannot Be Emptied</source>
        <translation>Der Download-Zwischenspeicher kann nicht geleert werden</translation>
    </message>
    <message>
        <source>The download cache is empty.</source>
        <translation>Der Download-Zwischenspeicher ist leer.</translation>
    </message>
</context>
<context>
    <name>modflash::HelpCommands</name>
    <message>
        <source>No Web Browser</source>
        <translation>Kein Webbrowser</translation>
    </message>
    <message>
        <source>modflash could not open a web browser for this page. Copy its address into a web browser, on this computer or another:

%1

The user guide that comes with modflash is under Help &gt; User Guide (F1).</source>
        <translation>modflash konnte für diese Seite keinen Webbrowser öffnen. Kopieren Sie ihre Adresse in einen Webbrowser, auf diesem oder einem anderen Rechner:

%1

Das Benutzerhandbuch, das mit modflash kommt, finden Sie unter Hilfe &gt; Benutzerhandbuch (F1).</translation>
    </message>
</context>
<context>
    <name>modflash::ImageCheck</name>
    <message>
        <source>Not empty</source>
        <translation>Nicht leer</translation>
    </message>
    <message>
        <source>Not another kind of file</source>
        <translation>Keine andere Dateiart</translation>
    </message>
    <message>
        <source>Intel HEX records</source>
        <translation>Intel-HEX-Datensätze</translation>
    </message>
    <message>
        <source>End-of-file record</source>
        <translation>Dateiende-Datensatz</translation>
    </message>
    <message>
        <source>Holds data</source>
        <translation>Enthält Daten</translation>
    </message>
    <message>
        <source>Inside the flash</source>
        <translation>Innerhalb des Flashs</translation>
    </message>
    <message>
        <source>Initial stack pointer</source>
        <translation>Anfänglicher Stackpointer</translation>
    </message>
    <message>
        <source>Reset handler</source>
        <translation>Reset-Handler</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Fits the connected module</source>
        <translation>Passt zum angeschlossenen Modul</translation>
    </message>
    <message>
        <source>%1 is empty: the download may have failed</source>
        <translation>%1 ist leer: Der Download ist vielleicht fehlgeschlagen</translation>
    </message>
    <message>
        <source>it may have been saved from a web page instead of downloaded</source>
        <translation>Die Datei wurde vielleicht aus einer Webseite gespeichert statt heruntergeladen</translation>
    </message>
    <message>
        <source>it may be a message from the download site instead of the image</source>
        <translation>Die Datei ist vielleicht eine Meldung der Download-Seite statt des Abbilds</translation>
    </message>
    <message>
        <source>unpack it and choose the image inside</source>
        <translation>Entpacken Sie die Datei und wählen Sie das Abbild darin</translation>
    </message>
    <message>
        <source>build the .hex with avr-objcopy -O ihex</source>
        <translation>Erzeugen Sie die .hex-Datei mit avr-objcopy -O ihex</translation>
    </message>
    <message>
        <source>build the .bin with objcopy -O binary</source>
        <translation>Erzeugen Sie die .bin-Datei mit objcopy -O binary</translation>
    </message>
    <message>
        <source>convert it with objcopy -I ihex -O binary</source>
        <translation>Wandeln Sie die Datei mit objcopy -I ihex -O binary um</translation>
    </message>
    <message>
        <source>choose the .hex file the firmware was released as</source>
        <translation>Wählen Sie die .hex-Datei, als die die Firmware veröffentlicht wurde</translation>
    </message>
    <message>
        <source>choose the image itself</source>
        <translation>Wählen Sie das Abbild selbst</translation>
    </message>
    <message>
        <source>it may have been read back from a module with nothing on it</source>
        <translation>Die Datei wurde vielleicht aus einem leeren Modul zurückgelesen</translation>
    </message>
    <message>
        <source>the download may have failed</source>
        <translation>Der Download ist vielleicht fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 is %2, not a firmware image: %3</source>
        <translation>%1 ist %2, kein Firmware-Abbild: %3</translation>
    </message>
    <message>
        <source>%1 is %2, not an Intel HEX image: %3</source>
        <translation>%1 ist %2, kein Intel-HEX-Abbild: %3</translation>
    </message>
    <message>
        <source>%1 is %2, not a binary image: %3</source>
        <translation>%1 ist %2, kein Binärabbild: %3</translation>
    </message>
    <message>
        <source>text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>%1 well-formed records</source>
        <translation>%1 wohlgeformte Datensätze</translation>
    </message>
    <message>
        <source>%1 is not a valid Intel HEX file: %2</source>
        <translation>%1 ist keine gültige Intel-HEX-Datei: %2</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>%1 ends after %2 of its bytes: the download may have been cut short</source>
        <translation>%1 endet nach %2 Bytes ohne Dateiende-Datensatz: Der Download wurde vielleicht abgebrochen</translation>
    </message>
    <message>
        <source>%1 goes on after its end-of-file record (%2): it may be two files joined together</source>
        <translation>%1 geht nach dem Dateiende-Datensatz weiter (%2): Vielleicht wurden zwei Dateien aneinandergehängt</translation>
    </message>
    <message>
        <source>%1 ends its lines in a carriage return alone (from line %2), as old Mac OS text files do, where Intel HEX needs LF or CR LF: convert its line ends</source>
        <translation>%1 beendet die Zeilen mit einem einzelnen Wagenrücklauf (ab Zeile %2) wie alte Mac-OS-Textdateien, wo Intel HEX LF oder CR LF verlangt: Wandeln Sie die Zeilenenden um</translation>
    </message>
    <message>
        <source>%1 records, checksums correct</source>
        <translation>%1 Datensätze, Prüfsummen korrekt</translation>
    </message>
    <message>
        <source>present</source>
        <translation>vorhanden</translation>
    </message>
    <message>
        <source>no data records</source>
        <translation>keine Datensätze mit Daten</translation>
    </message>
    <message>
        <source>%1 holds no data: there is nothing to write</source>
        <translation>%1 enthält keine Daten: Es gibt nichts zu schreiben</translation>
    </message>
    <message>
        <source>data at %1</source>
        <translation>Daten bei %1</translation>
    </message>
    <message>
        <source>%1 holds data at %2, beyond the %3</source>
        <translation>%1 enthält Daten bei %2, jenseits der %3</translation>
    </message>
    <message>
        <source>%1 to %2, inside the %3</source>
        <translation>%1 bis %2, innerhalb der %3</translation>
    </message>
    <message>
        <source>%1 flash of the largest chip of the product&apos;s family</source>
        <translation>%1 Flash des größten Chips der Produktfamilie</translation>
    </message>
    <message>
        <source>%1 flash of the %2</source>
        <translation>%1 Flash des %2</translation>
    </message>
    <message>
        <source>the file is too short to hold one</source>
        <translation>die Datei ist zu kurz, um ihn zu enthalten</translation>
    </message>
    <message>
        <source>%1 does not start like an STM32 image for %2: it is too short to hold the vector table an STM32 starts from</source>
        <translation>%1 beginnt nicht wie ein STM32-Abbild für %2: Die Datei ist zu kurz für die Vektortabelle, mit der ein STM32 startet</translation>
    </message>
    <message>
        <source>%1, not word aligned</source>
        <translation>%1, nicht an Wortgrenzen ausgerichtet</translation>
    </message>
    <message>
        <source>%1 does not start like an STM32 image for %2: its initial stack pointer %3 is not word aligned; it may not be firmware at all</source>
        <translation>%1 beginnt nicht wie ein STM32-Abbild für %2: Der anfängliche Stackpointer %3 ist nicht an Wortgrenzen ausgerichtet; vielleicht ist es gar keine Firmware</translation>
    </message>
    <message>
        <source>%1, outside RAM</source>
        <translation>%1, außerhalb des RAM</translation>
    </message>
    <message>
        <source>%1 does not start like an STM32 image for %2: its initial stack pointer %3 lies outside RAM; it may be built for another chip, or not be firmware at all</source>
        <translation>%1 beginnt nicht wie ein STM32-Abbild für %2: Der anfängliche Stackpointer %3 liegt außerhalb des RAM; vielleicht ist es für einen anderen Chip erstellt oder gar keine Firmware</translation>
    </message>
    <message>
        <source>%1, in RAM</source>
        <translation>%1, im RAM</translation>
    </message>
    <message>
        <source>%1, even</source>
        <translation>%1, gerade</translation>
    </message>
    <message>
        <source>%1 does not start like an STM32 image for %2: its reset handler %3 is even, which no Cortex-M code address is</source>
        <translation>%1 beginnt nicht wie ein STM32-Abbild für %2: Der Reset-Handler %3 ist gerade, was keine Cortex-M-Codeadresse ist</translation>
    </message>
    <message>
        <source>%1, outside the image</source>
        <translation>%1, außerhalb des Abbilds</translation>
    </message>
    <message>
        <source>%1 does not start like an STM32 image for %2: its reset handler %3 lies outside the image as written (%4 to %5); it may be built for another address, such as behind a boot loader</source>
        <translation>%1 beginnt nicht wie ein STM32-Abbild für %2: Der Reset-Handler %3 liegt außerhalb des geschriebenen Abbilds (%4 bis %5); vielleicht ist es für eine andere Adresse erstellt, etwa hinter einem Bootloader</translation>
    </message>
    <message>
        <source>%1, inside the image</source>
        <translation>%1, innerhalb des Abbilds</translation>
    </message>
    <message>
        <source>binary data</source>
        <translation>Binärdaten</translation>
    </message>
    <message>
        <source>%1, more than %2</source>
        <translation>%1, mehr als %2</translation>
    </message>
    <message>
        <source>%1 is %2, larger than the %3</source>
        <translation>%1 ist %2 groß, mehr als die %3</translation>
    </message>
    <message>
        <source>%1, at most %2</source>
        <translation>%1, höchstens %2</translation>
    </message>
    <message>
        <source>%1 from %2</source>
        <translation>%1 ab %2</translation>
    </message>
    <message>
        <source>%1 is %2, larger than the connected module&apos;s flash (%3): choose the image for this module</source>
        <translation>%1 ist %2 groß, mehr als der Flash des angeschlossenen Moduls (%3): Wählen Sie das Abbild für dieses Modul</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 holds %2, far more than any module&apos;s flash: it is not a firmware image</source>
        <translation>%1 enthält %2, weit mehr als der Flash jedes Moduls: Es ist kein Firmware-Abbild</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 holds more than %2, far more than any module&apos;s flash: it is not a firmware image</source>
        <translation>%1 enthält mehr als %2, weit mehr als der Flash jedes Moduls: Es ist kein Firmware-Abbild</translation>
    </message>
    <message>
        <source>binary</source>
        <translation>binär</translation>
    </message>
</context>
<context>
    <name>modflash::ImageLine</name>
    <message>
        <source>%1, %2 bytes, SHA-256 %3</source>
        <translation>%1, %2 Bytes, SHA-256 %3</translation>
    </message>
    <message>
        <source>Sample image, not real firmware: %1</source>
        <translation>Beispielabbild, keine echte Firmware: %1</translation>
    </message>
    <message>
        <source>%1. With factory firmware enabled it can be written all the same.</source>
        <translation>%1. Mit aktivierter Werks-Firmware kann es trotzdem geschrieben werden.</translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <translation>Zurückgewiesen: %1</translation>
    </message>
</context>
<context>
    <name>modflash::IntelHex</name>
    <message>
        <source>line %1 ends in a carriage return alone</source>
        <translation>Zeile %1 endet mit einem einzelnen Wagenrücklauf</translation>
    </message>
    <message>
        <source>line %1 follows the end-of-file record</source>
        <translation>Zeile %1 folgt auf den Dateiende-Datensatz</translation>
    </message>
    <message>
        <source>line %1 does not begin with “:”</source>
        <translation>Zeile %1 beginnt nicht mit „:“</translation>
    </message>
    <message>
        <source>line %1 holds “%2”, which is no hexadecimal digit</source>
        <translation>Zeile %1 enthält „%2“, das keine Hexadezimalziffer ist</translation>
    </message>
    <message>
        <source>line %1 holds the byte %2, which is no hexadecimal digit</source>
        <translation>Zeile %1 enthält das Byte %2, das keine Hexadezimalziffer ist</translation>
    </message>
    <message>
        <source>line %1 has an odd number of hexadecimal digits</source>
        <translation>Zeile %1 hat eine ungerade Zahl von Hexadezimalziffern</translation>
    </message>
    <message>
        <source>line %1 is too short for a record</source>
        <translation>Zeile %1 ist zu kurz für einen Datensatz</translation>
    </message>
    <message>
        <source>line %1 says it holds %2 data bytes but holds %3</source>
        <translation>Zeile %1 gibt %2 Datenbytes an, enthält aber %3</translation>
    </message>
    <message>
        <source>line %1 has the checksum %2, but its bytes need %3: the file is damaged</source>
        <translation>Zeile %1 hat die Prüfsumme %2, ihre Bytes verlangen aber %3: Die Datei ist beschädigt</translation>
    </message>
    <message>
        <source>line %1 has the record type %2, which Intel HEX does not know</source>
        <translation>Zeile %1 hat den Datensatztyp %2, den Intel HEX nicht kennt</translation>
    </message>
    <message>
        <source>line %1 is a record of type %2 with %3 bytes instead of %4</source>
        <translation>Zeile %1 ist ein Datensatz vom Typ %2 mit %3 Bytes statt %4</translation>
    </message>
</context>
<context>
    <name>modflash::LogExport</name>
    <message>
        <source>The Log Was Not Saved</source>
        <translation>Das Protokoll wurde nicht gespeichert</translation>
    </message>
    <message>
        <source>The log could not be saved as “%1”: %2.</source>
        <translation>Das Protokoll konnte nicht als „%1“ gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>modflash %1 log, saved %2
</source>
        <translation>modflash-%1-Protokoll, gespeichert %2
</translation>
    </message>
    <message>
        <source>Product: %1
</source>
        <translation>Produkt: %1
</translation>
    </message>
    <message>
        <source>none chosen</source>
        <translation>keines gewählt</translation>
    </message>
    <message>
        <source>Version: %1
</source>
        <translation>Version: %1
</translation>
    </message>
    <message>
        <source>Preferences: %1
</source>
        <translation>Einstellungen: %1
</translation>
    </message>
</context>
<context>
    <name>modflash::LogTextView</name>
    <message>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
</context>
<context>
    <name>modflash::MainWindow</name>
    <message>
        <source>Product</source>
        <translation>Produkt</translation>
    </message>
    <message>
        <source>Firmware version</source>
        <translation>Firmware-Version</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Anleitung</translation>
    </message>
    <message>
        <source>Instructions and log</source>
        <translation>Anleitung und Protokoll</translation>
    </message>
    <message>
        <source>Update progress</source>
        <translation>Fortschritt der Aktualisierung</translation>
    </message>
    <message>
        <source>Update status</source>
        <translation>Stand der Aktualisierung</translation>
    </message>
    <message>
        <source>Device status</source>
        <translation>Gerätestatus</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>Versionshinweise</translation>
    </message>
    <message>
        <source>Firmware feed status</source>
        <translation>Stand des Firmware-Feeds</translation>
    </message>
</context>
<context>
    <name>modflash::ModuleCheck</name>
    <message>
        <source>an %1</source>
        <translation>einen %1</translation>
    </message>
    <message>
        <source>a %1</source>
        <translation>einen %1</translation>
    </message>
    <message>
        <source>No product of modflash uses %1.</source>
        <translation>Kein Produkt von modflash verwendet %1.</translation>
    </message>
    <message>
        <source>Products with %1: %2.</source>
        <translation>Diese Produkte verwenden %1: %2.</translation>
    </message>
    <message>
        <source>Check that the module is switched on and that the programmer&apos;s cable is on its header the right way round (red stripe to pin 1).</source>
        <translation>Prüfen Sie, ob das Modul eingeschaltet ist und das Kabel des Programmers richtig herum auf seiner Stiftleiste steckt (roter Streifen an Pin 1).</translation>
    </message>
    <message>
        <source>The module&apos;s chip did not answer: avrdude read the signature %1.</source>
        <translation>Der Chip des Moduls hat nicht geantwortet: avrdude hat die Signatur %1 gelesen.</translation>
    </message>
    <message>
        <source>The module&apos;s chip did not answer: avrdude read the signature %1 (%2).</source>
        <translation>Der Chip des Moduls hat nicht geantwortet: avrdude hat die Signatur %1 gelesen (%2).</translation>
    </message>
    <message>
        <source>This module&apos;s chip answers with the signature %1, which no product of modflash uses: %2 uses %3. Check that the programmer&apos;s cable is on the module you mean to update.</source>
        <translation>Der Chip dieses Moduls antwortet mit der Signatur %1, die kein Produkt von modflash verwendet: %2 verwendet %3. Prüfen Sie, ob das Kabel des Programmers an dem Modul steckt, das Sie aktualisieren wollen.</translation>
    </message>
    <message>
        <source>This module has %1, but %2 uses %3.</source>
        <translation>Dieses Modul hat %1, %2 verwendet aber %3.</translation>
    </message>
    <message>
        <source>avrdude takes the chip for its part %1.</source>
        <translation>avrdude hält den Chip für sein Bauteil %1.</translation>
    </message>
    <message>
        <source>The module did not answer the programmer (avrdude: %1).</source>
        <translation>Das Modul hat dem Programmer nicht geantwortet (avrdude: %1).</translation>
    </message>
    <message>
        <source>avrdude found no programmer (%1). Connect the programmer, or choose the one you have under Preferences.</source>
        <translation>avrdude hat keinen Programmer gefunden (%1). Schließen Sie den Programmer an oder wählen Sie Ihren in den Einstellungen.</translation>
    </message>
    <message>
        <source>avrdude reported two different signatures, %1, so the module&apos;s chip cannot be told.</source>
        <translation>avrdude hat zwei verschiedene Signaturen gemeldet, %1, daher lässt sich der Chip des Moduls nicht bestimmen.</translation>
    </message>
    <message>
        <source>avrdude read no signature from the module and printed none of its messages that say why: see its output for what went wrong.</source>
        <translation>avrdude hat keine Signatur vom Modul gelesen und keine seiner Meldungen ausgegeben, die den Grund nennen: Was schiefging, steht in seiner Ausgabe.</translation>
    </message>
</context>
<context>
    <name>modflash::OtherVersionChoice</name>
    <message>
        <source>Not a Firmware Image</source>
        <translation>Kein Firmware-Abbild</translation>
    </message>
    <message>
        <source>“%1” is not a .%2 file, so it is not an image for %3. Choose a file ending in .%2.</source>
        <translation>„%1“ ist keine .%2-Datei und damit kein Abbild für %3. Wählen Sie eine Datei mit der Endung .%2.</translation>
    </message>
</context>
<context>
    <name>modflash::Phase</name>
    <message>
        <source>Starting</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Erasing</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Mass erasing</source>
        <translation>Vollständiges Löschen</translation>
    </message>
    <message>
        <source>Erasing and writing</source>
        <translation>Löschen und Schreiben</translation>
    </message>
    <message>
        <source>Writing</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Writing %1</source>
        <translation>„%1“ schreiben</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lesen</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>„%1“ lesen</translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>Überprüfen</translation>
    </message>
    <message>
        <source>Verifying %1</source>
        <translation>„%1“ überprüfen</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Herunterladen</translation>
    </message>
</context>
<context>
    <name>modflash::Phase::ToModule</name>
    <message>
        <source>Downloading</source>
        <translation>Übertragen</translation>
    </message>
</context>
<context>
    <name>modflash::ProductListModel</name>
    <message>
        <source>Select a product</source>
        <translation>Produkt auswählen</translation>
    </message>
</context>
<context>
    <name>modflash::Programmers</name>
    <message>
        <source>USBtiny programmer</source>
        <translation>USBtiny-Programmer</translation>
    </message>
    <message>
        <source>AVRISP mkII programmer</source>
        <translation>AVRISP-mkII-Programmer</translation>
    </message>
    <message>
        <source>USBasp programmer</source>
        <translation>USBasp-Programmer</translation>
    </message>
    <message>
        <source>ST-Link v2 probe</source>
        <translation>ST-Link-v2-Adapter</translation>
    </message>
    <message>
        <source>ST-Link v2-1 probe</source>
        <translation>ST-Link-v2-1-Adapter</translation>
    </message>
</context>
<context>
    <name>modflash::QuitGuard</name>
    <message>
        <source>Stop the Update?</source>
        <translation>Aktualisierung abbrechen?</translation>
    </message>
    <message>
        <source>An update is running. Stopping it now may leave the module without working firmware.</source>
        <translation>Eine Aktualisierung läuft. Wird sie jetzt abgebrochen, bleibt das Modul womöglich ohne funktionierende Firmware.</translation>
    </message>
    <message>
        <source>Stop and Quit</source>
        <translation>Abbrechen und beenden</translation>
    </message>
    <message>
        <source>Keep Updating</source>
        <translation>Weiter aktualisieren</translation>
    </message>
</context>
<context>
    <name>modflash::ReleaseNotesView</name>
    <message>
        <source>Released %1</source>
        <translation>Veröffentlicht am %1</translation>
    </message>
    <message>
        <source>Feed release</source>
        <translation>Version aus dem Feed</translation>
    </message>
    <message>
        <source>%1 · %2 to download</source>
        <translation>%1 · %2 herunterzuladen</translation>
    </message>
</context>
<context>
    <name>modflash::UpdateLock</name>
    <message>
        <source>another update is running: %1process %2</source>
        <translation>eine andere Aktualisierung läuft: %1Prozess %2</translation>
    </message>
</context>
<context>
    <name>modflash::UpdateRun</name>
    <message>
        <source>%1 is not the image the feed offers: its SHA-256 is %2 where the feed says %3; it was changed after it was downloaded</source>
        <translation>%1 ist nicht das Abbild, das der Feed anbietet: Sein SHA-256 ist %2, der Feed nennt %3; es wurde nach dem Herunterladen verändert</translation>
    </message>
</context>
<context>
    <name>modflash::UpdateSession</name>
    <message>
        <source>Stopping the update: waiting for the tool to end</source>
        <translation>Aktualisierung wird abgebrochen: Warten, bis das Werkzeug endet</translation>
    </message>
    <message>
        <source>Downloading the firmware</source>
        <translation>Die Firmware wird heruntergeladen</translation>
    </message>
    <message>
        <source>Downloading the firmware: %1%</source>
        <translation>Die Firmware wird heruntergeladen: %1 %</translation>
    </message>
</context>
<context>
    <name>modflash::UpdateStatusPanel</name>
    <message>
        <source>%1 %p%</source>
        <translation>%1 %p %</translation>
    </message>
    <message>
        <source>%1 %p% – done</source>
        <translation>%1 %p % – fertig</translation>
    </message>
    <message>
        <source>%1 – failed</source>
        <translation>%1 – fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 %p% – failed</source>
        <translation>%1 %p % – fehlgeschlagen</translation>
    </message>
    <message>
        <source>%p% – done</source>
        <translation>%p % – fertig</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestoppt</translation>
    </message>
    <message>
        <source>%1 – stopped</source>
        <translation>%1 – gestoppt</translation>
    </message>
    <message>
        <source>%1 %p% – stopped</source>
        <translation>%1 %p % – gestoppt</translation>
    </message>
</context>
<context>
    <name>modflash::UsbAccess</name>
    <message>
        <source>This user may not open the %1: give access to it with a udev rule as USB ACCESS in modflash(1) says, then plug it in again.</source>
        <translation>Dieser Benutzer darf das Gerät „%1“ nicht öffnen: Erlauben Sie den Zugriff mit einer udev-Regel, wie es der Abschnitt USB ACCESS in modflash(1) beschreibt, und stecken Sie das Gerät dann erneut ein.</translation>
    </message>
    <message>
        <source>This user may not open the %1. The udev rule in %2 gives the user at the computer access to it: unplug it and plug it in again.</source>
        <translation>Dieser Benutzer darf das Gerät „%1“ nicht öffnen. Die udev-Regel in %2 gibt dem Benutzer am Rechner Zugriff darauf: Ziehen Sie das Gerät ab und stecken Sie es wieder ein.</translation>
    </message>
    <message>
        <source>This user may not open the %1, and no udev rule on this computer gives access to it: add the line %2 to /etc/udev/rules.d/70-modflash.rules, run &quot;sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger&quot;, then plug it in again.</source>
        <translation>Dieser Benutzer darf das Gerät „%1“ nicht öffnen, und keine udev-Regel auf diesem Rechner erlaubt den Zugriff darauf: Fügen Sie die Zeile %2 in /etc/udev/rules.d/70-modflash.rules ein, führen Sie „sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger“ aus und stecken Sie das Gerät dann erneut ein.</translation>
    </message>
    <message>
        <source>This user may not open the USB device: give access to it with a udev rule as USB ACCESS in modflash(1) says, then plug it in again.</source>
        <translation>Dieser Benutzer darf das USB-Gerät nicht öffnen: Erlauben Sie den Zugriff mit einer udev-Regel, wie es der Abschnitt USB ACCESS in modflash(1) beschreibt, und stecken Sie das Gerät dann erneut ein.</translation>
    </message>
    <message>
        <source>This user may not open the %1. The udev rule in %2 gives the group %3 access to it: add this user to the group (&quot;sudo usermod -aG %3 $USER&quot;), log in again, then unplug it and plug it in again.</source>
        <translation>Dieser Benutzer darf das Gerät „%1“ nicht öffnen. Die udev-Regel in %2 gibt der Gruppe %3 Zugriff darauf: Nehmen Sie diesen Benutzer in die Gruppe auf („sudo usermod -aG %3 $USER“), melden Sie sich erneut an, ziehen Sie dann das Gerät ab und stecken Sie es wieder ein.</translation>
    </message>
</context>
<context>
    <name>modflash::UserFirmwareFolder</name>
    <message>
        <source>The folder %1 cannot be made. Make it yourself, or check the permissions of the folders above it.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden. Legen Sie ihn selbst an oder prüfen Sie die Berechtigungen der übergeordneten Ordner.</translation>
    </message>
</context>
<context>
    <name>modflash::UserGuide</name>
    <message>
        <source>en</source>
        <comment>folder of the user guide in this language, data/guide/*</comment>
        <translation>de</translation>
    </message>
    <message>
        <source>modflash User Guide</source>
        <translation>modflash-Benutzerhandbuch</translation>
    </message>
    <message>
        <source>User guide page</source>
        <translation>Seite des Benutzerhandbuchs</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vor</translation>
    </message>
    <message>
        <source>C&amp;ontents</source>
        <translation>&amp;Inhalt</translation>
    </message>
</context>
<context>
    <name>modflash::VerdictSummary</name>
    <message>
        <source>Update completed</source>
        <translation>Aktualisierung abgeschlossen</translation>
    </message>
    <message>
        <source>Updating: %1</source>
        <translation>Aktualisierung: %1</translation>
    </message>
    <message>
        <source>Update failed: %1</source>
        <translation>Aktualisierung fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Update refused: %1</source>
        <translation>Aktualisierung zurückgewiesen: %1</translation>
    </message>
    <message>
        <source>Update stopped: %1 was stopped before it finished</source>
        <translation>Aktualisierung abgebrochen: %1 wurde vor dem Ende gestoppt</translation>
    </message>
    <message>
        <source>%1 ended abnormally before it finished</source>
        <translation>%1 endete unerwartet vor dem Ende</translation>
    </message>
    <message>
        <source>%1 ended abnormally before it finished (%2)</source>
        <translation>%1 endete unerwartet vor dem Ende (%2)</translation>
    </message>
    <message>
        <source>%1 ended with exit status %2</source>
        <translation>%1 endete mit Rückgabewert %2</translation>
    </message>
    <message>
        <source>Update failed: %1 %2</source>
        <translation>Aktualisierung fehlgeschlagen: %1 %2</translation>
    </message>
    <message>
        <source>it was stopped</source>
        <translation>es wurde gestoppt</translation>
    </message>
    <message>
        <source>it ended abnormally</source>
        <translation>es endete unerwartet</translation>
    </message>
    <message>
        <source>exit status %1</source>
        <translation>Rückgabewert %1</translation>
    </message>
    <message>
        <source>The image was written completely; %1 reported an error only after the download had finished, while leaving DFU mode (%2). Restart the module to run the new firmware.</source>
        <translation>Das Abbild wurde vollständig geschrieben; %1 meldete erst nach dem Abschluss der Übertragung einen Fehler, beim Verlassen des DFU-Modus (%2). Starten Sie das Modul neu, um die neue Firmware auszuführen.</translation>
    </message>
    <message>
        <source>The image was written completely; %1 reported an error only after the download had finished (%2). Restart the module to run the new firmware.</source>
        <translation>Das Abbild wurde vollständig geschrieben; %1 meldete erst nach dem Abschluss der Übertragung einen Fehler (%2). Starten Sie das Modul neu, um die neue Firmware auszuführen.</translation>
    </message>
    <message>
        <source>Update stopped while the module was being checked: nothing was written</source>
        <translation>Aktualisierung während der Prüfung des Moduls angehalten: nichts wurde geschrieben</translation>
    </message>
    <message>
        <source>Update failed: %1 Nothing was written.</source>
        <translation>Aktualisierung fehlgeschlagen: %1 Nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>Update stopped while the firmware was being downloaded: nothing was written</source>
        <translation>Aktualisierung gestoppt, während die Firmware heruntergeladen wurde: Nichts wurde geschrieben</translation>
    </message>
    <message>
        <source>%1 %2%</source>
        <translation>%1 %2 %</translation>
    </message>
</context>
<context>
    <name>modflash::VersionList</name>
    <message>
        <source>Select a version</source>
        <translation>Version auswählen</translation>
    </message>
    <message>
        <source>Other...</source>
        <translation>Andere …</translation>
    </message>
    <message>
        <source>%1 (sample)</source>
        <translation>%1 (Beispiel)</translation>
    </message>
    <message>
        <source>%1 (installed)</source>
        <translation>%1 (installiert)</translation>
    </message>
    <message>
        <source>%1 (your folder)</source>
        <translation>%1 (Ihr Ordner)</translation>
    </message>
    <message>
        <source>%1 (downloaded)</source>
        <translation>%1 (heruntergeladen)</translation>
    </message>
    <message>
        <source>%1 (%2 to download)</source>
        <translation>%1 (%2 herunterzuladen)</translation>
    </message>
</context>
<context>
    <name>modflash::WindowFeed</name>
    <message>
        <source>never</source>
        <translation>nie</translation>
    </message>
    <message>
        <source>No firmware feed: this modflash names none, so only the images on this computer are offered.</source>
        <translation>Kein Firmware-Feed: Dieses modflash nennt keinen, daher werden nur die Abbilder auf diesem Rechner angeboten.</translation>
    </message>
    <message>
        <source>Checking for new firmware…</source>
        <translation>Suche nach neuer Firmware …</translation>
    </message>
    <message>
        <source>The firmware feed is refused: %1. Last checked: %2.</source>
        <translation>Der Firmware-Feed wird zurückgewiesen: %1. Zuletzt geprüft: %2.</translation>
    </message>
    <message>
        <source>The firmware feed cannot be reached: %1. Last checked: %2.</source>
        <translation>Der Firmware-Feed ist nicht erreichbar: %1. Zuletzt geprüft: %2.</translation>
    </message>
    <message>
        <source>Firmware feed last checked: %1.</source>
        <translation>Firmware-Feed zuletzt geprüft: %1.</translation>
    </message>
</context>
<context>
    <name>modflash::Wording</name>
    <message>
        <source>“%1”</source>
        <translation>„%1“</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 Byte</translation>
    </message>
</context>
<context>
    <name>modflash::feed::BoundedFetch</name>
    <message>
        <source>%1 sent nothing for %2 s</source>
        <translation>%1 hat %2 s lang nichts gesendet</translation>
    </message>
    <message>
        <source>%1 took longer than %2 s to send %3</source>
        <translation>%1 hat länger als %2 s gebraucht, um %3 zu senden</translation>
    </message>
    <message>
        <source>%1 answered HTTP status %2 %3 for %4</source>
        <translation>%1 hat für %4 mit HTTP-Status %2 %3 geantwortet</translation>
    </message>
    <message>
        <source>%1 sent %2 compressed (%3) though it was asked for the file as it is</source>
        <translation>%1 hat %2 komprimiert (%3) gesendet, obwohl die Datei unverändert verlangt wurde</translation>
    </message>
    <message>
        <source>%1 announces %2 bytes, more than the %3 taken</source>
        <translation>%1 kündigt %2 Bytes an, mehr als die angenommenen %3</translation>
    </message>
    <message>
        <source>%1 announces %2 bytes where the feed says %3</source>
        <translation>%1 kündigt %2 Bytes an, wo der Feed %3 angibt</translation>
    </message>
    <message>
        <source>%1 sent more than the %2 bytes taken</source>
        <translation>%1 hat mehr als die angenommenen %2 Bytes gesendet</translation>
    </message>
    <message>
        <source>%1 redirects to %2: only redirects to the same server are followed</source>
        <translation>%1 leitet nach %2 um: Nur Umleitungen auf denselben Server werden befolgt</translation>
    </message>
    <message>
        <source>%1 redirects more than %2 times</source>
        <translation>%1 leitet mehr als %2-mal um</translation>
    </message>
    <message>
        <source>%1 cannot be fetched: %2</source>
        <translation>%1 kann nicht abgerufen werden: %2</translation>
    </message>
    <message>
        <source>%1 cannot be fetched: the connection closed after %2 of the %3 bytes announced</source>
        <translation>%1 kann nicht abgerufen werden: Die Verbindung wurde nach %2 der %3 angekündigten Bytes geschlossen</translation>
    </message>
</context>
<context>
    <name>modflash::feed::FeedRefresh</name>
    <message>
        <source>no key to check the feed&apos;s signature with is built in or given</source>
        <translation>kein Schlüssel zum Prüfen der Signatur des Feeds ist eingebaut oder angegeben</translation>
    </message>
    <message>
        <source>the manifest&apos;s signature cannot be had: %1</source>
        <translation>die Signatur des Manifests ist nicht zu bekommen: %1</translation>
    </message>
    <message>
        <source>the manifest holds more than %1 bytes</source>
        <translation>das Manifest enthält mehr als %1 Bytes</translation>
    </message>
    <message>
        <source>the manifest&apos;s signature is refused: %1</source>
        <translation>die Signatur des Manifests wird zurückgewiesen: %1</translation>
    </message>
    <message>
        <source>the manifest&apos;s serial %1 is lower than %2, the lowest this modflash takes: it is older than this modflash</source>
        <translation>die Seriennummer %1 des Manifests ist kleiner als %2, die kleinste, die dieses modflash annimmt: Es ist älter als dieses modflash</translation>
    </message>
    <message>
        <source>the manifest&apos;s serial %1 is lower than %2, accepted before: the server offers an older manifest than this computer has seen</source>
        <translation>die Seriennummer %1 des Manifests ist kleiner als die zuvor angenommene %2: Der Server bietet ein älteres Manifest an, als dieser Rechner gesehen hat</translation>
    </message>
</context>
<context>
    <name>modflash::feed::ImageDownload</name>
    <message>
        <source>%1 has not been downloaded yet, and the network may not be used</source>
        <translation>%1 ist noch nicht heruntergeladen, und das Netzwerk darf nicht verwendet werden</translation>
    </message>
    <message>
        <source>the download of %1 was stopped</source>
        <translation>der Download von %1 wurde gestoppt</translation>
    </message>
    <message>
        <source>a file cannot be made in the download cache %1: %2</source>
        <translation>im Download-Zwischenspeicher %1 kann keine Datei angelegt werden: %2</translation>
    </message>
    <message>
        <source>the download cannot be written to %1: %2</source>
        <translation>der Download kann nicht nach %1 geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 sent %2 bytes where the feed says %3</source>
        <translation>%1 hat %2 Bytes gesendet, wo der Feed %3 angibt</translation>
    </message>
    <message>
        <source>%1 has the SHA-256 %2 where the feed says %3: it is not the image the feed offers</source>
        <translation>%1 hat die SHA-256 %2, wo der Feed %3 angibt: Es ist nicht das Abbild, das der Feed anbietet</translation>
    </message>
    <message>
        <source>the download cannot be kept in %1: %2</source>
        <translation>der Download kann nicht in %1 behalten werden: %2</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AppOptions</name>
    <message>
        <source>usage: %1 [--database DB] [--user NAME] [--client-library FILE]
  --database DB          database to attach (default %2)
  --user NAME            user name (default %3)
  --client-library FILE  Firebird client library (default %4)
  -h, --help             this text
  --version              the version
The password is taken from the environment variable ISC_PASSWORD when it is set.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BackupFile</name>
    <message>
        <source>Cannot write the backup &quot;%1&quot;. %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CliOptions</name>
    <message>
        <source>exactly one SOURCE file is needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the import would empty the product table of %1 before importing; --yes confirms that (or rehearse with --dry-run)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--type is required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>type %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown source type &quot;%1&quot;: give a number from 0 to %2 or one of %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>source type %1 (%2) needs --barcode-file FILE with the barcode list; it is not read from the source file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--restore plays its FILE; it takes no SOURCE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--wait needs a whole number of seconds from 0 to %1, not &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: converter-banco-import --type TYPE [--database DB] [--user NAME]
         [--client-library FILE] [--keep-source-barcode] [--barcode-file FILE]
         [--log FILE] [--wait SECONDS] [--yes] [--dry-run] [--quiet] [--one-by-one]
         SOURCE
Empties the product table of DB and imports SOURCE (.xls, .XLS, .xlsx, .txt, .TXT)
with the layout of source type TYPE: 0 to %1, or one of
  %2.
  --database DB            default %3
  --user NAME              default %4
  --client-library FILE    default %5
  --keep-source-barcode    %6: keep the sheet&apos;s own barcodes
  --barcode-file FILE      %7: the barcode list (required)
  --log FILE               the error log (default ErrorLog.txt)
  --wait SECONDS           while the database is in use by another connection, try
                           again for that long (default 0: give up at once)
  --yes                    confirm that the table is emptied
  --dry-run                run everything, then roll back: the database is unchanged
  --quiet                  no progress line
  --one-by-one             send every insert alone, as the window does, instead of
                           many in one prepared statement (same rows, log, counts)
%8  -h, --help               this text
  --version                the version and the client library it would load
The password is read from ISC_PASSWORD when it is set.
Exit status: 0 all rows imported, 1 some rows failed, 2 any other error (then nothing
was changed, unless the log could not be written after the commit); SIGINT,
SIGTERM and SIGHUP roll the import back and end with 130, 143 and 129.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>unknown option: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected value after </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing value after </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConsoleDialogs</name>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Database</name>
    <message>
        <source>The database name &quot;%1&quot; holds the character U+%2, which the %3 file names of the client library cannot carry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tables cannot be reserved for a transaction that has already started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsupported output column type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsupported column type %1 of column %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statement of %1 bytes is longer than the 65535 a statement may have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statement of type %1 not allowed here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A value of %1 bytes is longer than a script literal may carry (%2 bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A text of %1 bytes is longer than a script literal may carry (%2 bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The value %1 has no literal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The table %1 does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %1 of %2 would make a statement of %3 bytes, more than the 65535 a statement may have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 of the script is neither a delete from nor an insert into %2; nothing was restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 of the script: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetectCommand</name>
    <message>
        <source>fails: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First product</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no rows to judge.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type %1 (%2) clearly leads: import with --type %1.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No type reads this file well (the best scores %1 %); check the file and look at the products with --preview.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type %1 (%2) leads, but %3 (%4) is close; compare them with --preview.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 rows, %2 judged for each type.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DynamicLibrary</name>
    <message>
        <source>empty file name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FailureCauses</name>
    <message>
        <source>Failures by cause:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rows %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write the report &quot;%1&quot;. %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>It is a named pipe, not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is a device, not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImportCommand</name>
    <message>
        <source>&quot;%1&quot; is neither a spreadsheet (.xls, .XLS, .xlsx) nor a text file (.txt, .TXT)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read the barcode file &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dry run: everything was rolled back, the database is unchanged.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows read: %1
Rows imported: %2
Rows failed: %3
Seconds: %4
Error log: %5
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows that would fail:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  ... and %1 more in the log
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the import did not run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning: the product table would not be emptied, because the database has no PRODUTOS to empty (%1); the imported products would be added to the rows already there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning: the product table was not emptied, because the database has no PRODUTOS to empty (%1); the imported products were added to the rows already there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>every row failed, so nothing was imported and the database was not changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the command could not take over SIGINT, SIGTERM and SIGHUP</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InterruptSignals</name>
    <message>
        <source>signal %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The import was interrupted (%1): nothing was changed in the database.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 arrived after the commit had begun: the import was not interrupted and the result above stands.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreviewCommand</name>
    <message>
        <source>Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NCM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source type %1 (%2): %3 of %4 rows as the import would write them; nothing was sent to a database.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows that would fail:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  row %1: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database&apos;s own checks (a value wider than its column, a key taken) are not part of the preview; --dry-run tries the rows against it.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressLine</name>
    <message>
        <source>%1/%2 rows, %3 rows/s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Readers</name>
    <message>
        <source>Cannot load &quot;%1&quot; as a spreadsheet: only .xlsx, .xls and .XLS workbooks can be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: it has more than %2 lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook stream is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook is password-protected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a string runs past the end of its record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the first worksheet lies outside the workbook stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the first worksheet has no EOF record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the data is truncated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compound file is truncated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not an Excel 97-2003 workbook (no compound file header)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compound file header is damaged (sector size)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compound file header is damaged (FAT size)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compound file is truncated or damaged (a sector lies past its end)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the DIFAT chain of the compound file is broken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the DIFAT chain of the compound file loops</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sector chain of the %1 points outside the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sector chain of the %1 loops</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a stream of the compound file is larger than the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a stream of the compound file is shorter than its directory entry says</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a stream of the compound file is larger than its mini stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compound file has no root directory entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the directory of the compound file is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file holds no Workbook stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not well-formed XML: %1 (line %2, column %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a password-protected workbook or an Excel 97-2003 workbook, not a zip archive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the zip archive is cut short or damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the zip archive is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The part &quot;%1&quot; of the workbook &quot;%2&quot; %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>inflates to more than %1 bytes, the most a part may hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The workbook &quot;%1&quot; has no part &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>declares a document type, which workbook parts never do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>holds a single XML token of more than %1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>holds a text longer than %1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first worksheet has a row numbered &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first worksheet has more than %1 rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first worksheet has a cell named &quot;%1&quot;, which is not a cell of a sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %1 of the first worksheet has more than %2 cells</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>has the unknown type &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refers to the shared string &quot;%1&quot;, which the workbook does not have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>holds &quot;%1&quot;, which is not a date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>holds &quot;%1&quot;, which is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shared string %1 of the workbook is longer than %2 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The workbook &quot;%1&quot; has no worksheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The used area of the first worksheet, A1:%1, has more than %2 cells</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first worksheet of &quot;%1&quot; has no cell beyond A1, so it holds no table to load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cell %1 holds the error value %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2 of more than %3 bytes is not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a text file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A cell text of %1 characters is too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The grid&apos;s texts do not fit in memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a record of the workbook is too short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook is neither BIFF5 nor BIFF8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook stream does not start with a BOF record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook stream does not start with the workbook globals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excel 4.0 workbooks of several sheets are not supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file holds no worksheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook globals have no EOF record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the worksheet has no EOF record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook has no worksheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a record runs past the end of the workbook stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a record of the first worksheet is too short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the first worksheet holds an Excel 2.x cell record (0x%1), which this reader does not read in a later workbook</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the cell %1 refers to a shared string that does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the first worksheet does not start with a BOF record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compound file header is damaged (byte order mark)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mini stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a mini sector index of the compound file is out of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mini FAT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a workbook</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The parts of the workbook &quot;%1&quot; inflate to more than %2 bytes in all, the most a workbook may hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first worksheet has more than %1 cells</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The workbook has more than %1 shared strings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The texts of the workbook take more than %1 bytes, the most a workbook may hold</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RestoreCommand</name>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation type="unfinished">Cannot open file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 row of %2 from %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 rows of %2 from %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dry run: %1 went back in and were rolled back; the database is unchanged.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restored %1.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunExtras</name>
    <message>
        <source>Backup: %1 (%2 row of %3)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup: %1 (%2 rows of %3)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report: %1
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunMessages</name>
    <message>
        <source>Favor selecionar o Tipo de Banco a ser Convertido</source>
        <translation>Please choose the source type to convert</translation>
    </message>
    <message>
        <source>Nenhum arquivo foi carregado.</source>
        <translation>No file was loaded.</translation>
    </message>
    <message>
        <source>Isso irá ZERAR Completamente o Banco de dados atual, Deseja Continuar?</source>
        <translation>This will completely EMPTY the current database. Continue?</translation>
    </message>
    <message>
        <source>Deseja importar o código barras contido no arquivo XLS?</source>
        <translation>Import the barcodes held in the XLS file?</translation>
    </message>
    <message>
        <source>Favor abrir o arquivo com o cod barras.</source>
        <translation>Please open the file with the barcodes.</translation>
    </message>
    <message>
        <source>Log de erros salvo na pasta Raiz. &quot;ErrorLog.txt&quot;</source>
        <translation>Error log saved in the root folder. &quot;ErrorLog.txt&quot;</translation>
    </message>
    <message>
        <source>%1 produtos não foram importados.</source>
        <translation>%1 products were not imported.</translation>
    </message>
    <message>
        <source>Nenhum produto foi importado: o banco de dados não foi alterado.</source>
        <translation>No product was imported: the database was not changed.</translation>
    </message>
    <message>
        <source>O arquivo carregado não tem nenhum produto para importar. Nada foi alterado no banco de dados.</source>
        <translation>The loaded file has no product to import. Nothing was changed in the database.</translation>
    </message>
    <message>
        <source>A importação parou: %1. Nada foi alterado no banco de dados.
%2</source>
        <translation>The import stopped: %1. Nothing was changed in the database.
%2</translation>
    </message>
    <message>
        <source>A importação foi interrompida. Nada foi alterado no banco de dados.</source>
        <translation>The import was interrupted. Nothing was changed in the database.</translation>
    </message>
    <message>
        <source>o servidor não conseguiu ler ou gravar o banco de dados (disco cheio ou com defeito?)</source>
        <translation>the server could not read or write the database (a full or faulty disk?)</translation>
    </message>
    <message>
        <source>a conexão com o banco de dados foi perdida</source>
        <translation>the connection to the database was lost</translation>
    </message>
    <message>
        <source>o banco de dados ou o servidor foi desligado</source>
        <translation>the database or the server was shut down</translation>
    </message>
    <message>
        <source>faltou memória</source>
        <translation>memory ran out</translation>
    </message>
    <message>
        <source>o banco de dados está danificado</source>
        <translation>the database is damaged</translation>
    </message>
    <message>
        <source>o banco de dados não aceita alterações</source>
        <translation>the database accepts no changes</translation>
    </message>
    <message>
        <source>a tabela de produtos está em uso por outra conexão</source>
        <translation>the product table is in use by another connection</translation>
    </message>
    <message>
        <source>a importação foi interrompida</source>
        <translation>the import was interrupted</translation>
    </message>
    <message>
        <source>ocorreu um erro que impede continuar</source>
        <translation>an error occurred that prevents going on</translation>
    </message>
    <message>
        <source>Não foi possível zerar o banco de dados: %1</source>
        <translation>The database could not be emptied: %1</translation>
    </message>
    <message>
        <source>o banco de dados está em uso por outra conexão ou por uma importação que foi interrompida. Tente novamente em instantes.%1</source>
        <translation>the database is in use by another connection or by an import that was interrupted. Try again in a moment.%1</translation>
    </message>
    <message>
        <source>O log de erros não será gravado em &quot;%1&quot;: esse arquivo é %2.</source>
        <translation>The error log will not be written to &quot;%1&quot;: that file is %2.</translation>
    </message>
    <message>
        <source>o banco de dados</source>
        <translation>the database</translation>
    </message>
    <message>
        <source>o arquivo de origem</source>
        <translation>the source file</translation>
    </message>
    <message>
        <source>a lista de códigos de barras</source>
        <translation>the barcode list</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Cannot open file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot load client DLL: %1</source>
        <translation>Cannot load client DLL: %1</translation>
    </message>
</context>
<context>
    <name>ToolOptions</name>
    <message>
        <source>--preview wants a number of rows of 1 or more, not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--detect, --preview and --restore each do one thing; give only one of them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--backup goes with an import (or a --dry-run), not with --detect, --preview or --restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--report goes with an import (or a --dry-run), not with --detect, --preview or --restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--detect and --preview change nothing; --dry-run is for an import or a --restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before and after an import:
  --detect                 rank the source types for SOURCE (no database, no --type)
  --preview [N]            show the first N rows (default 10) as --type would import
                           them, and the rows that would fail; nothing connects
  --backup FILE            before the wipe, write every row of c000025 to FILE as a
                           script that puts the table back (also with --dry-run)
  --restore FILE           play such a script instead of an import (needs --yes,
                           or --dry-run to rehearse it); no SOURCE, no --type
  --report FILE            the failed rows and their causes as CSV (UTF-8)
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VersionText</name>
    <message>
        <source>%1 (cannot be loaded: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2
Firebird client library: %3
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>(--help lists the options)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(--wait SECONDS tries again for that long)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

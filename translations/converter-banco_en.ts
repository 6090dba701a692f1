<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
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
                           many in one statement (same rows, log and counts)
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
</context>
</TS>

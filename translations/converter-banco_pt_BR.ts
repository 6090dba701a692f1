<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>CliOptions</name>
    <message>
        <source>exactly one SOURCE file is needed</source>
        <translation>é preciso exatamente um arquivo de ORIGEM</translation>
    </message>
    <message>
        <source>the import would empty the product table of %1 before importing; --yes confirms that (or rehearse with --dry-run)</source>
        <translation>a importação esvaziaria a tabela de produtos de %1 antes de importar; --yes confirma isso (ou ensaie com --dry-run)</translation>
    </message>
    <message>
        <source>--type is required</source>
        <translation>--type é obrigatório</translation>
    </message>
    <message>
        <source>type %1</source>
        <translation>tipo %1</translation>
    </message>
    <message>
        <source>no type</source>
        <translation>nenhum tipo</translation>
    </message>
    <message>
        <source>unknown source type &quot;%1&quot;: give a number from 0 to %2 or one of %3</source>
        <translation>tipo de origem desconhecido &quot;%1&quot;: informe um número de 0 a %2 ou um destes: %3</translation>
    </message>
    <message>
        <source>source type %1 (%2) needs --barcode-file FILE with the barcode list; it is not read from the source file</source>
        <translation>o tipo de origem %1 (%2) precisa de --barcode-file ARQUIVO com a lista de códigos de barras; ela não é lida do arquivo de origem</translation>
    </message>
    <message>
        <source>--restore plays its FILE; it takes no SOURCE</source>
        <translation>--restore executa o seu ARQUIVO; não recebe ORIGEM</translation>
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
        <translation>uso: converter-banco-import --type TIPO [--database BANCO] [--user NOME]
         [--client-library ARQUIVO] [--keep-source-barcode] [--barcode-file ARQUIVO]
         [--log ARQUIVO] [--wait SEGUNDOS] [--yes] [--dry-run] [--quiet] [--one-by-one]
         ORIGEM
Esvazia a tabela de produtos de BANCO e importa ORIGEM (.xls, .XLS, .xlsx, .txt, .TXT)
com o layout do tipo de origem TIPO: 0 a %1, ou um destes:
  %2.
  --database BANCO         padrão %3
  --user NOME              padrão %4
  --client-library ARQUIVO padrão %5
  --keep-source-barcode    %6: manter os códigos de barras da planilha
  --barcode-file ARQUIVO   %7: a lista de códigos de barras (obrigatória)
  --log ARQUIVO            o log de erros (padrão ErrorLog.txt)
  --wait SEGUNDOS          enquanto o banco estiver em uso por outra conexão, tenta de
                           novo por esse tempo (padrão 0: desiste na hora)
  --yes                    confirma que a tabela será esvaziada
  --dry-run                executa tudo e depois desfaz: o banco de dados não muda
  --quiet                  sem linha de progresso
  --one-by-one             envia cada insert sozinho, como a janela, em vez de muitos
                           num só comando (mesmas linhas, log e contagens)
%8  -h, --help               este texto
  --version                a versão e a biblioteca cliente que seria carregada
A senha é lida de ISC_PASSWORD quando ela está definida.
Código de saída: 0 todas as linhas importadas, 1 algumas linhas falharam, 2 qualquer outro
erro (então nada foi alterado, a não ser que o log não pudesse ser gravado depois do
commit); SIGINT, SIGTERM e SIGHUP desfazem a importação e terminam com 130, 143 e 129.
</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>unknown option: </source>
        <translation>opção desconhecida: </translation>
    </message>
    <message>
        <source>unexpected value after </source>
        <translation>valor inesperado depois de </translation>
    </message>
    <message>
        <source>missing value after </source>
        <translation>falta o valor depois de </translation>
    </message>
</context>
<context>
    <name>ConsoleDialogs</name>
    <message>
        <source>Yes</source>
        <translation>Sim</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Não</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Anular</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Repetir</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
</context>
<context>
    <name>ImportCommand</name>
    <message>
        <source>&quot;%1&quot; is neither a spreadsheet (.xls, .XLS, .xlsx) nor a text file (.txt, .TXT)</source>
        <translation>&quot;%1&quot; não é uma planilha (.xls, .XLS, .xlsx) nem um arquivo de texto (.txt, .TXT)</translation>
    </message>
    <message>
        <source>cannot read the barcode file &quot;%1&quot;</source>
        <translation>não foi possível ler o arquivo de códigos de barras &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Dry run: everything was rolled back, the database is unchanged.
</source>
        <translation>Ensaio: tudo foi desfeito, o banco de dados não mudou.
</translation>
    </message>
    <message>
        <source>Rows read: %1
Rows imported: %2
Rows failed: %3
Seconds: %4
Error log: %5
</source>
        <translation>Linhas lidas: %1
Linhas importadas: %2
Linhas com erro: %3
Segundos: %4
Log de erros: %5
</translation>
    </message>
    <message>
        <source>Rows that would fail:
</source>
        <translation>Linhas que falhariam:
</translation>
    </message>
    <message>
        <source>  ... and %1 more in the log
</source>
        <translation>  ... e mais %1 no log
</translation>
    </message>
    <message>
        <source>the import did not run</source>
        <translation>a importação não foi executada</translation>
    </message>
    <message>
        <source>warning: the product table would not be emptied, because the database has no PRODUTOS to empty (%1); the imported products would be added to the rows already there</source>
        <translation>aviso: a tabela de produtos não seria esvaziada, porque o banco de dados não tem PRODUTOS para esvaziar (%1); os produtos importados seriam somados às linhas que já estão lá</translation>
    </message>
    <message>
        <source>warning: the product table was not emptied, because the database has no PRODUTOS to empty (%1); the imported products were added to the rows already there</source>
        <translation>aviso: a tabela de produtos não foi esvaziada, porque o banco de dados não tem PRODUTOS para esvaziar (%1); os produtos importados foram somados às linhas que já estavam lá</translation>
    </message>
    <message>
        <source>every row failed, so nothing was imported and the database was not changed</source>
        <translation>todas as linhas falharam, portanto nada foi importado e o banco de dados não mudou</translation>
    </message>
</context>
<context>
    <name>ProgressLine</name>
    <message>
        <source>%1/%2 rows, %3 rows/s</source>
        <translation>%1/%2 linhas, %3 linhas/s</translation>
    </message>
</context>
<context>
    <name>Readers</name>
    <message>
        <source>Cannot load &quot;%1&quot; as a spreadsheet: only .xlsx, .xls and .XLS workbooks can be read</source>
        <translation>Não é possível carregar &quot;%1&quot; como planilha: só pastas de trabalho .xlsx, .xls e .XLS podem ser lidas</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: it has more than %2 lines</source>
        <translation>Não é possível ler &quot;%1&quot;: ele tem mais de %2 linhas</translation>
    </message>
    <message>
        <source>the workbook stream is empty</source>
        <translation>o fluxo da pasta de trabalho está vazio</translation>
    </message>
    <message>
        <source>the workbook is password-protected</source>
        <translation>a pasta de trabalho está protegida por senha</translation>
    </message>
    <message>
        <source>a string runs past the end of its record</source>
        <translation>um texto passa do fim do seu registro</translation>
    </message>
    <message>
        <source>the first worksheet lies outside the workbook stream</source>
        <translation>a primeira planilha fica fora do fluxo da pasta de trabalho</translation>
    </message>
    <message>
        <source>the first worksheet has no EOF record</source>
        <translation>a primeira planilha não tem registro EOF</translation>
    </message>
    <message>
        <source>the data is truncated</source>
        <translation>os dados estão truncados</translation>
    </message>
    <message>
        <source>the compound file is truncated</source>
        <translation>o arquivo composto está truncado</translation>
    </message>
    <message>
        <source>it is not an Excel 97-2003 workbook (no compound file header)</source>
        <translation>não é uma pasta de trabalho do Excel 97-2003 (falta o cabeçalho de arquivo composto)</translation>
    </message>
    <message>
        <source>the compound file header is damaged (sector size)</source>
        <translation>o cabeçalho do arquivo composto está danificado (tamanho do setor)</translation>
    </message>
    <message>
        <source>the compound file header is damaged (FAT size)</source>
        <translation>o cabeçalho do arquivo composto está danificado (tamanho da FAT)</translation>
    </message>
    <message>
        <source>the compound file is truncated or damaged (a sector lies past its end)</source>
        <translation>o arquivo composto está truncado ou danificado (um setor fica depois do seu fim)</translation>
    </message>
    <message>
        <source>the DIFAT chain of the compound file is broken</source>
        <translation>a cadeia DIFAT do arquivo composto está quebrada</translation>
    </message>
    <message>
        <source>the DIFAT chain of the compound file loops</source>
        <translation>a cadeia DIFAT do arquivo composto forma um ciclo</translation>
    </message>
    <message>
        <source>the sector chain of the %1 points outside the file</source>
        <translation>a cadeia de setores de %1 aponta para fora do arquivo</translation>
    </message>
    <message>
        <source>the sector chain of the %1 loops</source>
        <translation>a cadeia de setores de %1 forma um ciclo</translation>
    </message>
    <message>
        <source>a stream of the compound file is larger than the file</source>
        <translation>um fluxo do arquivo composto é maior que o arquivo</translation>
    </message>
    <message>
        <source>a stream of the compound file is shorter than its directory entry says</source>
        <translation>um fluxo do arquivo composto é menor do que diz a sua entrada no diretório</translation>
    </message>
    <message>
        <source>a stream of the compound file is larger than its mini stream</source>
        <translation>um fluxo do arquivo composto é maior que o seu mini fluxo</translation>
    </message>
    <message>
        <source>the compound file has no root directory entry</source>
        <translation>o arquivo composto não tem entrada de diretório raiz</translation>
    </message>
    <message>
        <source>the directory of the compound file is damaged</source>
        <translation>o diretório do arquivo composto está danificado</translation>
    </message>
    <message>
        <source>the file holds no Workbook stream</source>
        <translation>o arquivo não contém um fluxo Workbook</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>Não é possível ler &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>não pode ser lida: %1</translation>
    </message>
    <message>
        <source>is not well-formed XML: %1 (line %2, column %3)</source>
        <translation>não é um XML bem formado: %1 (linha %2, coluna %3)</translation>
    </message>
    <message>
        <source>it is a password-protected workbook or an Excel 97-2003 workbook, not a zip archive</source>
        <translation>é uma pasta de trabalho protegida por senha ou do Excel 97-2003, não um arquivo zip</translation>
    </message>
    <message>
        <source>the zip archive is cut short or damaged</source>
        <translation>o arquivo zip está cortado ou danificado</translation>
    </message>
    <message>
        <source>the zip archive is empty</source>
        <translation>o arquivo zip está vazio</translation>
    </message>
    <message>
        <source>The part &quot;%1&quot; of the workbook &quot;%2&quot; %3</source>
        <translation>A parte &quot;%1&quot; da pasta de trabalho &quot;%2&quot; %3</translation>
    </message>
    <message>
        <source>inflates to more than %1 bytes, the most a part may hold</source>
        <translation>descompactada passa de %1 bytes, o máximo que uma parte pode ter</translation>
    </message>
    <message>
        <source>The workbook &quot;%1&quot; has no part &quot;%2&quot;</source>
        <translation>A pasta de trabalho &quot;%1&quot; não tem a parte &quot;%2&quot;</translation>
    </message>
    <message>
        <source>declares a document type, which workbook parts never do</source>
        <translation>declara um tipo de documento, o que partes de pasta de trabalho nunca fazem</translation>
    </message>
    <message>
        <source>holds a single XML token of more than %1 bytes</source>
        <translation>contém um único elemento XML de mais de %1 bytes</translation>
    </message>
    <message>
        <source>holds a text longer than %1 bytes</source>
        <translation>contém um texto de mais de %1 bytes</translation>
    </message>
    <message>
        <source>The first worksheet has a row numbered &quot;%1&quot;</source>
        <translation>A primeira planilha tem uma linha de número &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The first worksheet has more than %1 rows</source>
        <translation>A primeira planilha tem mais de %1 linhas</translation>
    </message>
    <message>
        <source>The first worksheet has a cell named &quot;%1&quot;, which is not a cell of a sheet</source>
        <translation>A primeira planilha tem uma célula chamada &quot;%1&quot;, que não é uma célula de planilha</translation>
    </message>
    <message>
        <source>Row %1 of the first worksheet has more than %2 cells</source>
        <translation>A linha %1 da primeira planilha tem mais de %2 células</translation>
    </message>
    <message>
        <source>has the unknown type &quot;%1&quot;</source>
        <translation>tem o tipo desconhecido &quot;%1&quot;</translation>
    </message>
    <message>
        <source>refers to the shared string &quot;%1&quot;, which the workbook does not have</source>
        <translation>se refere ao texto compartilhado &quot;%1&quot;, que a pasta de trabalho não tem</translation>
    </message>
    <message>
        <source>holds &quot;%1&quot;, which is not a date</source>
        <translation>contém &quot;%1&quot;, que não é uma data</translation>
    </message>
    <message>
        <source>holds &quot;%1&quot;, which is not a number</source>
        <translation>contém &quot;%1&quot;, que não é um número</translation>
    </message>
    <message>
        <source>Shared string %1 of the workbook is longer than %2 bytes</source>
        <translation>O texto compartilhado %1 da pasta de trabalho tem mais de %2 bytes</translation>
    </message>
    <message>
        <source>The workbook &quot;%1&quot; has no worksheet</source>
        <translation>A pasta de trabalho &quot;%1&quot; não tem planilha</translation>
    </message>
</context>
<context>
    <name>RunMessages</name>
    <message>
        <source>Favor selecionar o Tipo de Banco a ser Convertido</source>
        <translation>Favor selecionar o Tipo de Banco a ser Convertido</translation>
    </message>
    <message>
        <source>Nenhum arquivo foi carregado.</source>
        <translation>Nenhum arquivo foi carregado.</translation>
    </message>
    <message>
        <source>Isso irá ZERAR Completamente o Banco de dados atual, Deseja Continuar?</source>
        <translation>Isso irá ZERAR Completamente o Banco de dados atual, Deseja Continuar?</translation>
    </message>
    <message>
        <source>Deseja importar o código barras contido no arquivo XLS?</source>
        <translation>Deseja importar o código barras contido no arquivo XLS?</translation>
    </message>
    <message>
        <source>Favor abrir o arquivo com o cod barras.</source>
        <translation>Favor abrir o arquivo com o cod barras.</translation>
    </message>
    <message>
        <source>Log de erros salvo na pasta Raiz. &quot;ErrorLog.txt&quot;</source>
        <translation>Log de erros salvo na pasta Raiz. &quot;ErrorLog.txt&quot;</translation>
    </message>
    <message>
        <source>%1 produtos não foram importados.</source>
        <translation>%1 produtos não foram importados.</translation>
    </message>
</context>
<context>
    <name>VersionText</name>
    <message>
        <source>%1 (cannot be loaded: %2)</source>
        <translation>%1 (não pode ser carregada: %2)</translation>
    </message>
    <message>
        <source>%1 %2
Firebird client library: %3
</source>
        <translation>%1 %2
Biblioteca cliente do Firebird: %3
</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>(--help lists the options)</source>
        <translation>(--help lista as opções)</translation>
    </message>
</context>
</TS>

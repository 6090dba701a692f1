<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
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
        <translation>uso: %1 [--database BANCO] [--user NOME] [--client-library ARQUIVO]
  --database BANCO         banco de dados a conectar (padrão %2)
  --user NOME              nome do usuário (padrão %3)
  --client-library ARQUIVO biblioteca cliente do Firebird (padrão %4)
  -h, --help               este texto
  --version                a versão
A senha é lida da variável de ambiente ISC_PASSWORD quando ela está definida.
</translation>
    </message>
</context>
<context>
    <name>BackupFile</name>
    <message>
        <source>Cannot write the backup &quot;%1&quot;. %2</source>
        <translation>Não foi possível gravar o backup &quot;%1&quot;. %2</translation>
    </message>
</context>
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
        <source>--wait needs a whole number of seconds from 0 to %1, not &quot;%2&quot;</source>
        <translation>--wait precisa de um número inteiro de segundos de 0 a %1, não &quot;%2&quot;</translation>
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
                           num só comando preparado (mesmas linhas, log, contagens)
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
    <name>Database</name>
    <message>
        <source>The database name &quot;%1&quot; holds the character U+%2, which the %3 file names of the client library cannot carry</source>
        <translation>O nome do banco de dados &quot;%1&quot; contém o caractere U+%2, que os nomes de arquivo em %3 da biblioteca cliente não comportam</translation>
    </message>
    <message>
        <source>Tables cannot be reserved for a transaction that has already started</source>
        <translation>Não é possível reservar tabelas para uma transação que já começou</translation>
    </message>
    <message>
        <source>Unsupported output column type</source>
        <translation>Tipo de coluna de saída não suportado</translation>
    </message>
    <message>
        <source>Unsupported column type %1 of column %2</source>
        <translation>Tipo de coluna %1 não suportado na coluna %2</translation>
    </message>
    <message>
        <source>Statement of %1 bytes is longer than the 65535 a statement may have</source>
        <translation>O comando de %1 bytes passa dos 65535 que um comando pode ter</translation>
    </message>
    <message>
        <source>Statement of type %1 not allowed here</source>
        <translation>Comando do tipo %1 não permitido aqui</translation>
    </message>
    <message>
        <source>A value of %1 bytes is longer than a script literal may carry (%2 bytes)</source>
        <translation>Um valor de %1 bytes é maior do que um literal de script comporta (%2 bytes)</translation>
    </message>
    <message>
        <source>A text of %1 bytes is longer than a script literal may carry (%2 bytes)</source>
        <translation>Um texto de %1 bytes é maior do que um literal de script comporta (%2 bytes)</translation>
    </message>
    <message>
        <source>The value %1 has no literal</source>
        <translation>O valor %1 não tem forma literal</translation>
    </message>
    <message>
        <source>The table %1 does not exist</source>
        <translation>A tabela %1 não existe</translation>
    </message>
    <message>
        <source>Row %1 of %2 would make a statement of %3 bytes, more than the 65535 a statement may have</source>
        <translation>A linha %1 de %2 daria um comando de %3 bytes, mais que os 65535 que um comando pode ter</translation>
    </message>
    <message>
        <source>Line %1 of the script is neither a delete from nor an insert into %2; nothing was restored</source>
        <translation>A linha %1 do script não é nem um delete from nem um insert into %2; nada foi restaurado</translation>
    </message>
    <message>
        <source>Line %1 of the script: %2</source>
        <translation>Linha %1 do script: %2</translation>
    </message>
</context>
<context>
    <name>DetectCommand</name>
    <message>
        <source>fails: </source>
        <translation>falha: </translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>Failing</source>
        <translation>Falhas</translation>
    </message>
    <message>
        <source>First product</source>
        <translation>Primeiro produto</translation>
    </message>
    <message>
        <source>There are no rows to judge.
</source>
        <translation>Não há linhas para avaliar.
</translation>
    </message>
    <message>
        <source>Type %1 (%2) clearly leads: import with --type %1.
</source>
        <translation>O tipo %1 (%2) está claramente à frente: importe com --type %1.
</translation>
    </message>
    <message>
        <source>No type reads this file well (the best scores %1 %); check the file and look at the products with --preview.
</source>
        <translation>Nenhum tipo lê bem este arquivo (o melhor tem nota %1 %); confira o arquivo e veja os produtos com --preview.
</translation>
    </message>
    <message>
        <source>Type %1 (%2) leads, but %3 (%4) is close; compare them with --preview.
</source>
        <translation>O tipo %1 (%2) está à frente, mas o %3 (%4) está perto; compare os dois com --preview.
</translation>
    </message>
    <message>
        <source>%1 rows, %2 judged for each type.
</source>
        <translation>%1 linhas, %2 avaliadas para cada tipo.
</translation>
    </message>
</context>
<context>
    <name>DynamicLibrary</name>
    <message>
        <source>empty file name</source>
        <translation>nome de arquivo vazio</translation>
    </message>
</context>
<context>
    <name>FailureCauses</name>
    <message>
        <source>Failures by cause:
</source>
        <translation>Falhas por causa:
</translation>
    </message>
    <message>
        <source>row %1</source>
        <translation>linha %1</translation>
    </message>
    <message>
        <source>rows %1</source>
        <translation>linhas %1</translation>
    </message>
    <message>
        <source>Cannot write the report &quot;%1&quot;. %2</source>
        <translation>Não foi possível gravar o relatório &quot;%1&quot;. %2</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>It is a named pipe, not a regular file</source>
        <translation>É um pipe nomeado, não um arquivo comum</translation>
    </message>
    <message>
        <source>It is a device, not a regular file</source>
        <translation>É um dispositivo, não um arquivo comum</translation>
    </message>
    <message>
        <source>It is not a regular file</source>
        <translation>Não é um arquivo comum</translation>
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
    <message>
        <source>the command could not take over SIGINT, SIGTERM and SIGHUP</source>
        <translation>o comando não conseguiu assumir SIGINT, SIGTERM e SIGHUP</translation>
    </message>
</context>
<context>
    <name>InterruptSignals</name>
    <message>
        <source>signal %1</source>
        <translation>sinal %1</translation>
    </message>
    <message>
        <source>The import was interrupted (%1): nothing was changed in the database.</source>
        <translation>Importação interrompida (%1): nada foi alterado no banco de dados.</translation>
    </message>
    <message>
        <source>%1 arrived after the commit had begun: the import was not interrupted and the result above stands.</source>
        <translation>%1 recebido depois do início do commit: a importação não foi interrompida e o resultado acima vale.</translation>
    </message>
</context>
<context>
    <name>PreviewCommand</name>
    <message>
        <source>Code</source>
        <translation>Código</translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation>Cód. barras</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Un.</translation>
    </message>
    <message>
        <source>Cost</source>
        <translation>Custo</translation>
    </message>
    <message>
        <source>Sale</source>
        <translation>Venda</translation>
    </message>
    <message>
        <source>Stock</source>
        <translation>Estoque</translation>
    </message>
    <message>
        <source>NCM</source>
        <translation>NCM</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Linha</translation>
    </message>
    <message>
        <source>Source type %1 (%2): %3 of %4 rows as the import would write them; nothing was sent to a database.
</source>
        <translation>Tipo de origem %1 (%2): %3 de %4 linhas como a importação as gravaria; nada foi enviado a um banco de dados.
</translation>
    </message>
    <message>
        <source>Rows that would fail:
</source>
        <translation>Linhas que falhariam:
</translation>
    </message>
    <message>
        <source>  row %1: </source>
        <translation>  linha %1: </translation>
    </message>
    <message>
        <source>The database&apos;s own checks (a value wider than its column, a key taken) are not part of the preview; --dry-run tries the rows against it.
</source>
        <translation>As verificações do próprio banco de dados (um valor maior que a sua coluna, uma chave já usada) não fazem parte da prévia; --dry-run testa as linhas no banco.
</translation>
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
        <translation>a cadeia de setores (%1) aponta para fora do arquivo</translation>
    </message>
    <message>
        <source>the sector chain of the %1 loops</source>
        <translation>a cadeia de setores (%1) forma um ciclo</translation>
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
    <message>
        <source>The used area of the first worksheet, A1:%1, has more than %2 cells</source>
        <translation>A área usada da primeira planilha, A1:%1, tem mais de %2 células</translation>
    </message>
    <message>
        <source>The first worksheet of &quot;%1&quot; has no cell beyond A1, so it holds no table to load</source>
        <translation>A primeira planilha de &quot;%1&quot; não tem nenhuma célula além de A1, portanto não há tabela para carregar</translation>
    </message>
    <message>
        <source>Cell %1 holds the error value %2</source>
        <translation>A célula %1 contém o valor de erro %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2 of more than %3 bytes is not read</source>
        <translation>Não é possível ler &quot;%1&quot;: não se lê %2 com mais de %3 bytes</translation>
    </message>
    <message>
        <source>a text file</source>
        <translation>um arquivo de texto</translation>
    </message>
    <message>
        <source>A cell text of %1 characters is too long</source>
        <translation>Um texto de célula de %1 caracteres é longo demais</translation>
    </message>
    <message>
        <source>The grid&apos;s texts do not fit in memory</source>
        <translation>Os textos da grade não cabem na memória</translation>
    </message>
    <message>
        <source>a record of the workbook is too short</source>
        <translation>um registro da pasta de trabalho é curto demais</translation>
    </message>
    <message>
        <source>the workbook is neither BIFF5 nor BIFF8</source>
        <translation>a pasta de trabalho não é nem BIFF5 nem BIFF8</translation>
    </message>
    <message>
        <source>the workbook stream does not start with a BOF record</source>
        <translation>o fluxo da pasta de trabalho não começa com um registro BOF</translation>
    </message>
    <message>
        <source>the workbook stream does not start with the workbook globals</source>
        <translation>o fluxo da pasta de trabalho não começa com os dados globais da pasta de trabalho</translation>
    </message>
    <message>
        <source>Excel 4.0 workbooks of several sheets are not supported</source>
        <translation>pastas de trabalho do Excel 4.0 com várias planilhas não são suportadas</translation>
    </message>
    <message>
        <source>the file holds no worksheet</source>
        <translation>o arquivo não contém planilha</translation>
    </message>
    <message>
        <source>the workbook globals have no EOF record</source>
        <translation>os dados globais da pasta de trabalho não têm registro EOF</translation>
    </message>
    <message>
        <source>the worksheet has no EOF record</source>
        <translation>a planilha não tem registro EOF</translation>
    </message>
    <message>
        <source>the workbook has no worksheet</source>
        <translation>a pasta de trabalho não tem planilha</translation>
    </message>
    <message>
        <source>a record runs past the end of the workbook stream</source>
        <translation>um registro passa do fim do fluxo da pasta de trabalho</translation>
    </message>
    <message>
        <source>a record of the first worksheet is too short</source>
        <translation>um registro da primeira planilha é curto demais</translation>
    </message>
    <message>
        <source>the first worksheet holds an Excel 2.x cell record (0x%1), which this reader does not read in a later workbook</source>
        <translation>a primeira planilha contém um registro de célula do Excel 2.x (0x%1), que este leitor não lê numa pasta de trabalho de versão posterior</translation>
    </message>
    <message>
        <source>the cell %1 refers to a shared string that does not exist</source>
        <translation>a célula %1 se refere a um texto compartilhado que não existe</translation>
    </message>
    <message>
        <source>the first worksheet does not start with a BOF record</source>
        <translation>a primeira planilha não começa com um registro BOF</translation>
    </message>
    <message>
        <source>the compound file header is damaged (byte order mark)</source>
        <translation>o cabeçalho do arquivo composto está danificado (marca de ordem dos bytes)</translation>
    </message>
    <message>
        <source>stream</source>
        <translation>fluxo</translation>
    </message>
    <message>
        <source>mini stream</source>
        <translation>mini fluxo</translation>
    </message>
    <message>
        <source>a mini sector index of the compound file is out of range</source>
        <translation>um índice de mini setor do arquivo composto está fora do intervalo</translation>
    </message>
    <message>
        <source>directory</source>
        <translation>diretório</translation>
    </message>
    <message>
        <source>mini FAT</source>
        <translation>mini FAT</translation>
    </message>
    <message>
        <source>a workbook</source>
        <translation>uma pasta de trabalho</translation>
    </message>
    <message>
        <source>The parts of the workbook &quot;%1&quot; inflate to more than %2 bytes in all, the most a workbook may hold</source>
        <translation>As partes da pasta de trabalho &quot;%1&quot; descompactadas passam de %2 bytes no total, o máximo que uma pasta de trabalho pode ter</translation>
    </message>
    <message>
        <source>The first worksheet has more than %1 cells</source>
        <translation>A primeira planilha tem mais de %1 células</translation>
    </message>
    <message>
        <source>The workbook has more than %1 shared strings</source>
        <translation>A pasta de trabalho tem mais de %1 textos compartilhados</translation>
    </message>
    <message>
        <source>The texts of the workbook take more than %1 bytes, the most a workbook may hold</source>
        <translation>Os textos da pasta de trabalho ocupam mais de %1 bytes, o máximo que uma pasta de trabalho pode ter</translation>
    </message>
</context>
<context>
    <name>RestoreCommand</name>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Não foi possível abrir o arquivo &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;. %2</source>
        <translation>Não foi possível ler &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>%1 row of %2 from %3</source>
        <translation>%1 linha de %2 do arquivo %3</translation>
    </message>
    <message>
        <source>%1 rows of %2 from %3</source>
        <translation>%1 linhas de %2 do arquivo %3</translation>
    </message>
    <message>
        <source>Dry run: %1 went back in and were rolled back; the database is unchanged.
</source>
        <translation>Ensaio: a restauração de %1 foi feita e desfeita; o banco de dados não mudou.
</translation>
    </message>
    <message>
        <source>Restored %1.
</source>
        <translation>Restauração concluída: %1.
</translation>
    </message>
</context>
<context>
    <name>RunExtras</name>
    <message>
        <source>Backup: %1 (%2 row of %3)
</source>
        <translation>Backup: %1 (%2 linha de %3)
</translation>
    </message>
    <message>
        <source>Backup: %1 (%2 rows of %3)
</source>
        <translation>Backup: %1 (%2 linhas de %3)
</translation>
    </message>
    <message>
        <source>Report: %1
</source>
        <translation>Relatório: %1
</translation>
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
    <message>
        <source>Nenhum produto foi importado: o banco de dados não foi alterado.</source>
        <translation>Nenhum produto foi importado: o banco de dados não foi alterado.</translation>
    </message>
    <message>
        <source>O arquivo carregado não tem nenhum produto para importar. Nada foi alterado no banco de dados.</source>
        <translation>O arquivo carregado não tem nenhum produto para importar. Nada foi alterado no banco de dados.</translation>
    </message>
    <message>
        <source>A importação parou: %1. Nada foi alterado no banco de dados.
%2</source>
        <translation>A importação parou: %1. Nada foi alterado no banco de dados.
%2</translation>
    </message>
    <message>
        <source>A importação foi interrompida. Nada foi alterado no banco de dados.</source>
        <translation>A importação foi interrompida. Nada foi alterado no banco de dados.</translation>
    </message>
    <message>
        <source>o servidor não conseguiu ler ou gravar o banco de dados (disco cheio ou com defeito?)</source>
        <translation>o servidor não conseguiu ler ou gravar o banco de dados (disco cheio ou com defeito?)</translation>
    </message>
    <message>
        <source>a conexão com o banco de dados foi perdida</source>
        <translation>a conexão com o banco de dados foi perdida</translation>
    </message>
    <message>
        <source>o banco de dados ou o servidor foi desligado</source>
        <translation>o banco de dados ou o servidor foi desligado</translation>
    </message>
    <message>
        <source>faltou memória</source>
        <translation>faltou memória</translation>
    </message>
    <message>
        <source>o banco de dados está danificado</source>
        <translation>o banco de dados está danificado</translation>
    </message>
    <message>
        <source>o banco de dados não aceita alterações</source>
        <translation>o banco de dados não aceita alterações</translation>
    </message>
    <message>
        <source>a tabela de produtos está em uso por outra conexão</source>
        <translation>a tabela de produtos está em uso por outra conexão</translation>
    </message>
    <message>
        <source>a importação foi interrompida</source>
        <translation>a importação foi interrompida</translation>
    </message>
    <message>
        <source>ocorreu um erro que impede continuar</source>
        <translation>ocorreu um erro que impede continuar</translation>
    </message>
    <message>
        <source>Não foi possível zerar o banco de dados: %1</source>
        <translation>Não foi possível zerar o banco de dados: %1</translation>
    </message>
    <message>
        <source>o banco de dados está em uso por outra conexão ou por uma importação que foi interrompida. Tente novamente em instantes.%1</source>
        <translation>o banco de dados está em uso por outra conexão ou por uma importação que foi interrompida. Tente novamente em instantes.%1</translation>
    </message>
    <message>
        <source>O log de erros não será gravado em &quot;%1&quot;: esse arquivo é %2.</source>
        <translation>O log de erros não será gravado em &quot;%1&quot;: esse arquivo é %2.</translation>
    </message>
    <message>
        <source>o banco de dados</source>
        <translation>o banco de dados</translation>
    </message>
    <message>
        <source>o arquivo de origem</source>
        <translation>o arquivo de origem</translation>
    </message>
    <message>
        <source>a lista de códigos de barras</source>
        <translation>a lista de códigos de barras</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Não foi possível abrir o arquivo &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Não foi possível criar o arquivo &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot load client DLL: %1</source>
        <translation>Não foi possível carregar a biblioteca cliente: %1</translation>
    </message>
</context>
<context>
    <name>ToolOptions</name>
    <message>
        <source>--preview wants a number of rows of 1 or more, not &quot;%1&quot;</source>
        <translation>--preview espera um número de linhas de 1 ou mais, não &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--detect, --preview and --restore each do one thing; give only one of them</source>
        <translation>--detect, --preview e --restore fazem uma coisa cada; informe só um deles</translation>
    </message>
    <message>
        <source>--backup goes with an import (or a --dry-run), not with --detect, --preview or --restore</source>
        <translation>--backup acompanha uma importação (ou um --dry-run), não --detect, --preview ou --restore</translation>
    </message>
    <message>
        <source>--report goes with an import (or a --dry-run), not with --detect, --preview or --restore</source>
        <translation>--report acompanha uma importação (ou um --dry-run), não --detect, --preview ou --restore</translation>
    </message>
    <message>
        <source>--detect and --preview change nothing; --dry-run is for an import or a --restore</source>
        <translation>--detect e --preview não alteram nada; --dry-run é para uma importação ou um --restore</translation>
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
        <translation>Antes e depois de uma importação:
  --detect                 classifica os tipos de origem para ORIGEM (sem banco, sem --type)
  --preview [N]            mostra as primeiras N linhas (padrão 10) como --type as
                           importaria, e as linhas que falhariam; nada se conecta
  --backup ARQUIVO         antes de zerar, grava cada linha de c000025 em ARQUIVO como
                           um script que põe a tabela de volta (também com --dry-run)
  --restore ARQUIVO        executa esse script em vez de uma importação (precisa de
                           --yes, ou --dry-run para ensaiar); sem ORIGEM, sem --type
  --report ARQUIVO         as linhas com erro e as suas causas em CSV (UTF-8)
</translation>
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
    <message>
        <source>(--wait SECONDS tries again for that long)</source>
        <translation>(--wait SEGUNDOS tenta de novo por esse tempo)</translation>
    </message>
</context>
</TS>

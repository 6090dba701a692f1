/*
  Reference schema of the product table c000025 for the tests and the demo database.
  The real table belongs to the target system's existing database: it has more columns,
  keys and defaults than this. Here are the 22 columns the import writes, with the widths
  the tool itself declares for CODIGO, CODBARRA, PRODUTO and UNIDADE and plausible ones
  for the rest.

  PRODUTOS is an updatable view over c000025, so that the import's wipe
  ("delete from PRODUTOS;") really empties the table.
*/
create table c000025 (
  codigo                varchar(6) not null,
  codbarra              varchar(13),
  produto               varchar(100),
  unidade               varchar(2),
  data_cadastro         timestamp,
  precocusto            double precision,
  precovenda            double precision,
  estoque               double precision,
  ncm                   varchar(20),
  cst                   varchar(3),
  classificacao_fiscal  varchar(20),
  aliquota              double precision,
  tipo                  varchar(40),
  situacao              integer,
  piscofins             varchar(1),
  incidencia_piscofins  varchar(20),
  iat                   varchar(1),
  ippt                  varchar(1),
  situacao_tributaria   varchar(1),
  flag_sis              varchar(1),
  csosn                 varchar(3),
  ind_cfop_venda_dentro varchar(4)
);
commit;

create view PRODUTOS as select * from c000025;
commit;

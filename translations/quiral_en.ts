<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_BR">
<context>
    <name>Dialogs</name>
    <message>
        <source>%1 já existe.
Deseja substituí-lo?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Não foi possível abrir %1</source>
        <translation>Could not open %1</translation>
    </message>
    <message>
        <source>&amp;Abrir</source>
        <translation>&amp;Open</translation>
    </message>
</context>
<context>
    <name>FineCatalogExport</name>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>PDF vetorial</source>
        <translation>Vector PDF</translation>
    </message>
    <message>
        <source>Biblioteca %1 de %2: %3</source>
        <translation>Library %1 of %2: %3</translation>
    </message>
    <message>
        <source>Bibliotecas não incluídas:
</source>
        <translation>Libraries left out:
</translation>
    </message>
</context>
<context>
    <name>LibraryReview</name>
    <message>
        <source>Nenhuma biblioteca selecionada</source>
        <translation>No library selected</translation>
    </message>
    <message>
        <source>Bibliotecas (*.lib *.kicad_sym);;Todos os arquivos (*)</source>
        <translation>Libraries (*.lib *.kicad_sym);;All files (*)</translation>
    </message>
</context>
<context>
    <name>SiteExport</name>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Site (HTML)</source>
        <translation>Web site (HTML)</translation>
    </message>
    <message>
        <source>Biblioteca %1 de %2: %3</source>
        <translation>Library %1 of %2: %3</translation>
    </message>
    <message>
        <source>Bibliotecas não incluídas:
</source>
        <translation>Libraries left out:
</translation>
    </message>
    <message>
        <source>O site foi gravado em %1.
Abri-lo no navegador?</source>
        <translation>The web site was written to %1.
Open it in the browser?</translation>
    </message>
</context>
<context>
    <name>SymbolPictureExport</name>
    <message>
        <source>Imagem SVG (*.svg);;PDF (*.pdf);;Imagem PNG (*.png)</source>
        <translation>SVG image (*.svg);;PDF (*.pdf);;PNG image (*.png)</translation>
    </message>
    <message>
        <source>%1: escolha um nome terminado em .svg, .pdf ou .png</source>
        <translation>%1: choose a name ending in .svg, .pdf or .png</translation>
    </message>
    <message>
        <source>Escala da imagem PNG (1 = 100 %):</source>
        <translation>Scale of the PNG image (1 = 100 %):</translation>
    </message>
</context>
<context>
    <name>WindowWording</name>
    <message>
        <source>O relatório ainda está sendo preparado; grave-o quando todas as suas páginas estiverem prontas</source>
        <translation>The report is still being prepared; save it when all its pages are ready</translation>
    </message>
    <message>
        <source>O relatório ainda está sendo preparado; leia um arquivo quando todas as suas páginas estiverem prontas</source>
        <translation>The report is still being prepared; load a file when all its pages are ready</translation>
    </message>
    <message>
        <source>O arquivo de relatório preparado está danificado e não pode ser lido</source>
        <translation>The prepared report file is damaged and cannot be read</translation>
    </message>
    <message>
        <source> (no byte %1)</source>
        <translation> (at byte %1)</translation>
    </message>
    <message>
        <source>O arquivo não é um relatório preparado</source>
        <translation>The file is not a prepared report</translation>
    </message>
    <message>
        <source>O relatório preparado foi gravado por uma versão mais nova do programa</source>
        <translation>The prepared report was written by a newer version of the program</translation>
    </message>
    <message>
        <source>O relatório preparado não pode ser gravado: %1</source>
        <translation>The prepared report cannot be saved: %1</translation>
    </message>
    <message>
        <source>O arquivo é grande demais: %1</source>
        <translation>The file is too large: %1</translation>
    </message>
    <message>
        <source>O relatório não tem a página %1</source>
        <translation>The report has no page %1</translation>
    </message>
    <message>
        <source>O relatório tem mais de %1 páginas</source>
        <translation>The report has more than %1 pages</translation>
    </message>
    <message>
        <source>Nenhuma janela de visão prévia está disponível</source>
        <translation>No preview window is available</translation>
    </message>
    <message>
        <source>Os relatórios de catálogo ainda não foram criados</source>
        <translation>The catalog reports are not made yet</translation>
    </message>
    <message>
        <source>A impressora não pôde ser iniciada</source>
        <translation>The printer could not be started</translation>
    </message>
    <message>
        <source>Nenhuma fonte utilizável está instalada (procurada: &quot;%1&quot;)</source>
        <translation>No usable font is installed (looked for &quot;%1&quot;)</translation>
    </message>
    <message>
        <source>Memória insuficiente</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>Erro desconhecido</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>linha %1, coluna </source>
        <translation>line %1, column </translation>
    </message>
    <message>
        <source>não é uma biblioteca de símbolos do KiCad (não começa com (kicad_symbol_lib)</source>
        <translation>not a KiCad symbol library (it does not start with (kicad_symbol_lib)</translation>
    </message>
    <message>
        <source>o texto termina dentro da lista aberta na linha %1, coluna </source>
        <translation>the text ends inside the list opened at line %1, column </translation>
    </message>
    <message>
        <source>o texto termina dentro da lista aberta na linha %1</source>
        <translation>the text ends inside the list opened at line %1</translation>
    </message>
    <message>
        <source>o texto não é uma lista</source>
        <translation>the text is not a list</translation>
    </message>
    <message>
        <source>o texto é grande demais</source>
        <translation>the text is too large</translation>
    </message>
    <message>
        <source>texto depois do fim da lista</source>
        <translation>text after the end of the list</translation>
    </message>
    <message>
        <source>um &apos;)&apos; que não fecha nenhuma lista</source>
        <translation>a &apos;)&apos; closes no list</translation>
    </message>
    <message>
        <source>o texto entre aspas não é fechado</source>
        <translation>the quoted string is not closed</translation>
    </message>
    <message>
        <source>um elemento com mais de %1 bytes</source>
        <translation>a token longer than %1 bytes</translation>
    </message>
    <message>
        <source>listas aninhadas além do limite de %1</source>
        <translation>lists nested deeper than the limit of %1</translation>
    </message>
    <message>
        <source>um símbolo sem nome</source>
        <translation>a symbol without a name</translation>
    </message>
    <message>
        <source>um valor fora dos limites</source>
        <translation>a value out of range</translation>
    </message>
</context>
<context>
    <name>quiral::FilenameEdit</name>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
</context>
<context>
    <name>quiral::FolderPathField</name>
    <message>
        <source>Pasta: digite ou cole um caminho e tecle Enter</source>
        <translation>Folder: type or paste a path and press Enter</translation>
    </message>
</context>
<context>
    <name>quiral::PinTableTab</name>
    <message>
        <source>Número</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Nome</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Tipo</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Forma</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>Unidade</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Corpo</source>
        <translation>Body</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Orientação</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Comprimento</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Filtrar pinos</source>
        <translation>Filter pins</translation>
    </message>
</context>
<context>
    <name>quiral::PropertiesTab</name>
    <message>
        <source>Sim</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Não</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Nome</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Biblioteca</source>
        <translation>Library</translation>
    </message>
    <message>
        <source>Alias de</source>
        <translation>Alias of</translation>
    </message>
    <message>
        <source>Descrição</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Palavras-chave</source>
        <translation>Keywords</translation>
    </message>
    <message>
        <source>Folha de dados</source>
        <translation>Datasheet</translation>
    </message>
    <message>
        <source>Footprint</source>
        <translation>Footprint</translation>
    </message>
    <message>
        <source>Filtros de footprint</source>
        <translation>Footprint filters</translation>
    </message>
    <message>
        <source>Referência</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>Unidades</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>De Morgan</source>
        <translation>De Morgan</translation>
    </message>
    <message>
        <source>Símbolo de alimentação</source>
        <translation>Power symbol</translation>
    </message>
    <message>
        <source>Pinos</source>
        <translation>Pins</translation>
    </message>
</context>
<context>
    <name>quiral::ReportPreviewWindow</name>
    <message>
        <source>&amp;Fechar</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Visão prévia</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Página</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>de </source>
        <translation>of </translation>
    </message>
</context>
<context>
    <name>quiral::SymbolSearchBox</name>
    <message>
        <source>Buscar em todas as bibliotecas (Ctrl+K)</source>
        <translation>Search all libraries (Ctrl+K)</translation>
    </message>
    <message>
        <source>Biblioteca</source>
        <translation>Library</translation>
    </message>
    <message>
        <source>Nome</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Descrição</source>
        <translation>Description</translation>
    </message>
</context>
<context>
    <name>quiral::TFPrgrs</name>
    <message>
        <source>Página...</source>
        <translation>Page...</translation>
    </message>
    <message>
        <source>Exportando...</source>
        <translation>Exporting...</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>Exporting...</translation>
    </message>
</context>
<context>
    <name>quiral::TForm1</name>
    <message>
        <source>Quiral %1 (20070727d) - Visualizador/Catálogo de componentes p/KiCad</source>
        <translation>Quiral %1 (20070727d) - Component viewer/catalog for KiCad</translation>
    </message>
    <message>
        <source>Catálogo</source>
        <translation>Catalog</translation>
    </message>
    <message>
        <source>Converter</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>linha</source>
        <translation>line</translation>
    </message>
    <message>
        <source>apagar</source>
        <translation>clear</translation>
    </message>
    <message>
        <source>Tokens</source>
        <translation>Tokens</translation>
    </message>
    <message>
        <source>Conteúdo</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Comandos</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>testes</source>
        <translation>tests</translation>
    </message>
    <message>
        <source>Carregar</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Libs|*.lib|All files (*.*)|*.*</source>
        <translation>Libs|*.lib|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>&amp;Sair</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Catálogos</source>
        <translation>&amp;Catalogs</translation>
    </message>
    <message>
        <source>&amp;Desenhos</source>
        <translation>&amp;Drawings</translation>
    </message>
    <message>
        <source>&amp;Lista</source>
        <translation>&amp;List</translation>
    </message>
    <message>
        <source>&amp;Pasta inteira (PDF vetorial)…</source>
        <translation>Whole &amp;folder (vector PDF)…</translation>
    </message>
    <message>
        <source>C&amp;omparar com…</source>
        <translation>C&amp;ompare with…</translation>
    </message>
    <message>
        <source>pag2</source>
        <translation>pag2</translation>
    </message>
    <message>
        <source>Alias de %1</source>
        <translation>Alias of %1</translation>
    </message>
    <message>
        <source>Nenhuma biblioteca nesta pasta</source>
        <translation>No library in this folder</translation>
    </message>
    <message>
        <source>Arquivos PDF(*.pdf)|*.pdf</source>
        <translation>PDF files (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>Nenhuma biblioteca selecionada</source>
        <translation>No library selected</translation>
    </message>
    <message>
        <source>Propriedades</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Pinos</source>
        <translation>Pins</translation>
    </message>
    <message>
        <source>&amp;Recentes</source>
        <translation>&amp;Recent</translation>
    </message>
    <message>
        <source>&amp;Site (HTML)…</source>
        <translation>&amp;Web site (HTML)…</translation>
    </message>
    <message>
        <source>&amp;Localizar</source>
        <translation>&amp;Find</translation>
    </message>
    <message>
        <source>&amp;Buscar em todas as bibliotecas</source>
        <translation>&amp;Search all libraries</translation>
    </message>
    <message>
        <source>Índice da &amp;pasta…</source>
        <translation>Folder &amp;index…</translation>
    </message>
    <message>
        <source>Catálogo de 1 biblioteca gravado em %1</source>
        <translation>Catalog of 1 library written to %1</translation>
    </message>
    <message>
        <source>Catálogo de %1 bibliotecas gravado em %2</source>
        <translation>Catalog of %1 libraries written to %2</translation>
    </message>
    <message>
        <source>Bibliotecas</source>
        <translation>Libraries</translation>
    </message>
    <message>
        <source>Pasta do site (vazia, ou um site já gravado)</source>
        <translation>Web site folder (empty, or a site written before)</translation>
    </message>
    <message>
        <source>A biblioteca %1 não pôde ser lida: %2</source>
        <translation>The library %1 could not be read: %2</translation>
    </message>
    <message>
        <source>&amp;Copiar imagem</source>
        <translation>&amp;Copy picture</translation>
    </message>
    <message>
        <source>&amp;Exportar…</source>
        <translation>&amp;Export…</translation>
    </message>
    <message>
        <source>&amp;Ampliar</source>
        <translation>Zoom &amp;in</translation>
    </message>
    <message>
        <source>&amp;Reduzir</source>
        <translation>Zoom &amp;out</translation>
    </message>
    <message>
        <source>&amp;Tamanho real (100 %)</source>
        <translation>&amp;Actual size (100 %)</translation>
    </message>
    <message>
        <source>A&amp;justar à vista</source>
        <translation>&amp;Fit to view</translation>
    </message>
</context>
<context>
    <name>quiral::TForm2</name>
    <message>
        <source>Form2</source>
        <translation>Form2</translation>
    </message>
    <message>
        <source>BitBtn1</source>
        <translation>BitBtn1</translation>
    </message>
    <message>
        <source>Modelos:</source>
        <translation>Models:</translation>
    </message>
    <message>
        <source>Componentes:</source>
        <translation>Components:</translation>
    </message>
    <message>
        <source>Localizar</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Bibliotecas deixadas de fora do índice:</source>
        <translation>Libraries left out of the index:</translation>
    </message>
</context>
<context>
    <name>quiral::TPrevForm</name>
    <message>
        <source>Visão Prévia da Impressão</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>Página inteira</source>
        <translation>Whole page</translation>
    </message>
    <message>
        <source>Largura da Página</source>
        <translation>Page width</translation>
    </message>
    <message>
        <source>&amp;Página</source>
        <translation>&amp;Page</translation>
    </message>
    <message>
        <source>de </source>
        <translation>of </translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>Imprimir</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Gravar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Ler</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>&amp;Sair</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;PDF</source>
        <translation>&amp;PDF</translation>
    </message>
    <message>
        <source>PDF &amp;vetorial</source>
        <translation>&amp;Vector PDF</translation>
    </message>
    <message>
        <source>Catálogo em PDF vetorial, pesquisável</source>
        <translation>Catalog as a searchable vector PDF</translation>
    </message>
    <message>
        <source>Arquivos QRP(*.qrp)|*.qrp</source>
        <translation>QRP files (*.qrp)|*.qrp</translation>
    </message>
    <message>
        <source>Relatórios (*.QRP)|*.QRP</source>
        <translation>Reports (*.QRP)|*.QRP</translation>
    </message>
    <message>
        <source>Arquivos PDF(*.pdf)|*.pdf</source>
        <translation>PDF files (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Imprimindo</source>
        <translation>Printing</translation>
    </message>
    <message>
        <source>Página %1 de %2</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>quiral::UnitChooser</name>
    <message>
        <source>Unidade</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>De Morgan</source>
        <translation>De Morgan</translation>
    </message>
</context>
<context>
    <name>quiral::WindowLanguage</name>
    <message>
        <source>pt_BR</source>
        <translation>en</translation>
    </message>
</context>
</TS>

#pragma once
// Record types of BIFF8 workbook streams: the one table of names and numbers. Names are the
// record names of the file-format documentation; a few have older names in other readers:
// Lbl is NAME, BoundSheet8 is BOUNDSHEET, Date1904 is DATEMODE/1904, PhoneticInfo is PHONETICPR,
// DxGCol is STANDARDWIDTH, Scl is ZOOM, Obj is OBJ, ObProj is OBPROJ.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// X(name, number)
#define TABREL_BIFF_RECORDS(X)                                                                     \
  X(Formula, 0x0006) X(Eof, 0x000A) X(CalcCount, 0x000C) X(CalcMode, 0x000D)                       \
  X(CalcPrecision, 0x000E) X(CalcRefMode, 0x000F) X(CalcDelta, 0x0010) X(CalcIter, 0x0011)         \
  X(Protect, 0x0012) X(Password, 0x0013) X(Header, 0x0014) X(Footer, 0x0015)                       \
  X(ExternSheet, 0x0017) X(Lbl, 0x0018) X(WinProtect, 0x0019) X(VerticalPageBreaks, 0x001A)        \
  X(HorizontalPageBreaks, 0x001B) X(Note, 0x001C) X(Selection, 0x001D) X(Date1904, 0x0022)         \
  X(ExternName, 0x0023) X(LeftMargin, 0x0026) X(RightMargin, 0x0027) X(TopMargin, 0x0028)          \
  X(BottomMargin, 0x0029) X(PrintRowCol, 0x002A) X(PrintGrid, 0x002B) X(FilePass, 0x002F)          \
  X(Font, 0x0031) X(PrintSize, 0x0033) X(Continue, 0x003C) X(Window1, 0x003D) X(Backup, 0x0040)    \
  X(Pane, 0x0041) X(CodePage, 0x0042) X(Pls, 0x004D) X(DCon, 0x0050) X(DConRef, 0x0051)            \
  X(DConName, 0x0052) X(DefColWidth, 0x0055) X(XCT, 0x0059) X(CRN, 0x005A) X(FileSharing, 0x005B)  \
  X(WriteAccess, 0x005C) X(Obj, 0x005D) X(Uncalced, 0x005E) X(CalcSaveRecalc, 0x005F)              \
  X(Template, 0x0060) X(Intl, 0x0061) X(ObjProtect, 0x0063) X(ColInfo, 0x007D) X(Guts, 0x0080)     \
  X(WsBool, 0x0081) X(GridSet, 0x0082) X(HCenter, 0x0083) X(VCenter, 0x0084)                       \
  X(BoundSheet8, 0x0085) X(WriteProtect, 0x0086) X(Country, 0x008C) X(HideObj, 0x008D)             \
  X(Sort, 0x0090) X(Palette, 0x0092) X(Sync, 0x0097) X(LPr, 0x0098) X(DxGCol, 0x0099)              \
  X(FnGroupName, 0x009A) X(FilterMode, 0x009B) X(BuiltInFnGroupCount, 0x009C)                      \
  X(AutoFilterInfo, 0x009D) X(AutoFilter, 0x009E) X(Scl, 0x00A0) X(Setup, 0x00A1)                  \
  X(ScenMan, 0x00AE) X(Scenario, 0x00AF) X(SxView, 0x00B0) X(Sxvd, 0x00B1) X(SXVI, 0x00B2)         \
  X(SxIvd, 0x00B4) X(SXLI, 0x00B5) X(SXPI, 0x00B6) X(DocRoute, 0x00B8) X(RecipName, 0x00B9)        \
  X(MulRk, 0x00BD) X(MulBlank, 0x00BE) X(Mms, 0x00C1) X(SXDI, 0x00C5) X(SXDB, 0x00C6)              \
  X(SXFDB, 0x00C7) X(SXDBB, 0x00C8) X(SXNum, 0x00C9) X(SxBool, 0x00CA) X(SxErr, 0x00CB)            \
  X(SXInt, 0x00CC) X(SXString, 0x00CD) X(SXDtr, 0x00CE) X(SxNil, 0x00CF) X(SXTbl, 0x00D0)          \
  X(SXTBRGIITM, 0x00D1) X(SxTbpg, 0x00D2) X(ObProj, 0x00D3) X(SXStreamID, 0x00D5)                  \
  X(DBCell, 0x00D7) X(SXRng, 0x00D8) X(SxIsxoper, 0x00D9) X(BookBool, 0x00DA)                      \
  X(DbOrParamQry, 0x00DC) X(ScenarioProtect, 0x00DD) X(OleObjectSize, 0x00DE) X(XF, 0x00E0)        \
  X(InterfaceHdr, 0x00E1) X(InterfaceEnd, 0x00E2) X(SXVS, 0x00E3) X(MergeCells, 0x00E5)            \
  X(BkHim, 0x00E9) X(MsoDrawingGroup, 0x00EB) X(MsoDrawing, 0x00EC)                                \
  X(MsoDrawingSelection, 0x00ED) X(PhoneticInfo, 0x00EF) X(SxRule, 0x00F0) X(SXEx, 0x00F1)         \
  X(SxFilt, 0x00F2) X(SxDXF, 0x00F4) X(SxItm, 0x00F5) X(SxName, 0x00F6) X(SxSelect, 0x00F7)        \
  X(SXPair, 0x00F8) X(SxFmla, 0x00F9) X(SxFormat, 0x00FB) X(SST, 0x00FC) X(LabelSst, 0x00FD)       \
  X(ExtSST, 0x00FF) X(SXVDEx, 0x0100) X(SXFormula, 0x0103) X(SXDBEx, 0x0122)                       \
  X(RRDInsDel, 0x0137) X(RRDHead, 0x0138) X(RRDChgCell, 0x013B) X(RRTabId, 0x013D)                 \
  X(RRDRenSheet, 0x013E) X(RRSort, 0x013F) X(RRDMove, 0x0140) X(RRFormat, 0x014A)                  \
  X(RRAutoFmt, 0x014B) X(RRInsertSh, 0x014D) X(RRDMoveBegin, 0x014E) X(RRDMoveEnd, 0x014F)         \
  X(RRDInsDelBegin, 0x0150) X(RRDInsDelEnd, 0x0151) X(RRDConflict, 0x0152)                         \
  X(RRDDefName, 0x0153) X(RRDRstEtxp, 0x0154) X(LRng, 0x015F) X(UsesELFs, 0x0160) X(DSF, 0x0161)   \
  X(CUsr, 0x0191) X(CbUsr, 0x0192) X(UsrInfo, 0x0193) X(UsrExcl, 0x0194) X(FileLock, 0x0195)       \
  X(RRDInfo, 0x0196) X(BCUsrs, 0x0197) X(UsrChk, 0x0198) X(UserBView, 0x01A9)                      \
  X(UserSViewBegin, 0x01AA) X(UserSViewEnd, 0x01AB) X(RRDUserView, 0x01AC) X(Qsi, 0x01AD)          \
  X(SupBook, 0x01AE) X(Prot4Rev, 0x01AF) X(CondFmt, 0x01B0) X(CF, 0x01B1) X(DVal, 0x01B2)          \
  X(DConBin, 0x01B5) X(TxO, 0x01B6) X(RefreshAll, 0x01B7) X(HLink, 0x01B8) X(Lel, 0x01B9)          \
  X(CodeName, 0x01BA) X(SXFDBType, 0x01BB) X(Prot4RevPass, 0x01BC) X(ObNoMacros, 0x01BD)           \
  X(Dv, 0x01BE) X(Excel9File, 0x01C0) X(RecalcId, 0x01C1) X(EntExU2, 0x01C2)                       \
  X(Dimensions, 0x0200) X(Blank, 0x0201) X(Number, 0x0203) X(Label, 0x0204) X(BoolErr, 0x0205)     \
  X(String, 0x0207) X(Row, 0x0208) X(Index, 0x020B) X(Array, 0x0221) X(DefaultRowHeight, 0x0225)   \
  X(Table, 0x0236) X(Window2, 0x023E) X(RK, 0x027E) X(Style, 0x0293) X(BigName, 0x0418)            \
  X(Format, 0x041E) X(ContinueBigName, 0x043C) X(ShrFmla, 0x04BC) X(HLinkTooltip, 0x0800)          \
  X(WebPub, 0x0801) X(QsiSXTag, 0x0802) X(DBQueryExt, 0x0803) X(ExtString, 0x0804)                 \
  X(TxtQry, 0x0805) X(Qsir, 0x0806) X(Qsif, 0x0807) X(RRDTQSIF, 0x0808) X(BOF, 0x0809)             \
  X(OleDbConn, 0x080A) X(WOpt, 0x080B) X(SXViewEx, 0x080C) X(SXTH, 0x080D) X(SXPIEx, 0x080E)       \
  X(SXVDTEx, 0x080F) X(SXViewEx9, 0x0810) X(ContinueFrt, 0x0812) X(RealTimeData, 0x0813)           \
  X(ChartFrtInfo, 0x0850) X(FrtWrapper, 0x0851) X(StartBlock, 0x0852) X(EndBlock, 0x0853)          \
  X(StartObject, 0x0854) X(EndObject, 0x0855) X(CatLab, 0x0856) X(YMult, 0x0857)                   \
  X(SXViewLink, 0x0858) X(PivotChartBits, 0x0859) X(FrtFontList, 0x085A) X(SheetExt, 0x0862)       \
  X(BookExt, 0x0863) X(SXAddl, 0x0864) X(CrErr, 0x0865) X(HFPicture, 0x0866) X(FeatHdr, 0x0867)    \
  X(Feat, 0x0868) X(DataLabExt, 0x086A) X(DataLabExtContents, 0x086B) X(CellWatch, 0x086C)         \
  X(FeatHdr11, 0x0871) X(Feature11, 0x0872) X(DropDownObjIds, 0x0874) X(ContinueFrt11, 0x0875)     \
  X(DConn, 0x0876) X(List12, 0x0877) X(Feature12, 0x0878) X(CondFmt12, 0x0879) X(CF12, 0x087A)     \
  X(CFEx, 0x087B) X(XFCRC, 0x087C) X(XFExt, 0x087D) X(AutoFilter12, 0x087E)                        \
  X(ContinueFrt12, 0x087F) X(MDTInfo, 0x0884) X(MDXStr, 0x0885) X(MDXTuple, 0x0886)                \
  X(MDXSet, 0x0887) X(MDXProp, 0x0888) X(MDXKPI, 0x0889) X(MDB, 0x088A) X(PLV, 0x088B)             \
  X(Compat12, 0x088C) X(DXF, 0x088D) X(TableStyles, 0x088E) X(TableStyle, 0x088F)                  \
  X(TableStyleElement, 0x0890) X(StyleExt, 0x0892) X(NamePublish, 0x0893) X(NameCmt, 0x0894)       \
  X(SortData, 0x0895) X(Theme, 0x0896) X(GUIDTypeLib, 0x0897) X(FnGrp12, 0x0898)                   \
  X(NameFnGrp12, 0x0899) X(MTRSettings, 0x089A) X(CompressPictures, 0x089B)                        \
  X(HeaderFooter, 0x089C) X(CrtLayout12, 0x089D) X(CrtMlFrt, 0x089E) X(CrtMlFrtContinue, 0x089F)   \
  X(ForceFullCalculation, 0x08A3) X(ShapePropsStream, 0x08A4) X(TextPropsStream, 0x08A5)           \
  X(RichTextStream, 0x08A6) X(CrtLayout12A, 0x08A7) X(Units, 0x1001) X(Chart, 0x1002)              \
  X(Series, 0x1003) X(DataFormat, 0x1006) X(LineFormat, 0x1007) X(MarkerFormat, 0x1009)            \
  X(AreaFormat, 0x100A) X(PieFormat, 0x100B) X(AttachedLabel, 0x100C) X(SeriesText, 0x100D)        \
  X(ChartFormat, 0x1014) X(Legend, 0x1015) X(SeriesList, 0x1016) X(Bar, 0x1017) X(Line, 0x1018)    \
  X(Pie, 0x1019) X(Area, 0x101A) X(Scatter, 0x101B) X(CrtLine, 0x101C) X(Axis, 0x101D)             \
  X(Tick, 0x101E) X(ValueRange, 0x101F) X(CatSerRange, 0x1020) X(AxisLine, 0x1021)                 \
  X(CrtLink, 0x1022) X(DefaultText, 0x1024) X(Text, 0x1025) X(FontX, 0x1026) X(ObjectLink, 0x1027) \
  X(Frame, 0x1032) X(Begin, 0x1033) X(End, 0x1034) X(PlotArea, 0x1035) X(Chart3d, 0x103A)          \
  X(PicF, 0x103C) X(DropBar, 0x103D) X(Radar, 0x103E) X(Surf, 0x103F) X(RadarArea, 0x1040)         \
  X(AxisParent, 0x1041) X(LegendException, 0x1043) X(ShtProps, 0x1044) X(SerToCrt, 0x1045)         \
  X(AxesUsed, 0x1046) X(SBaseRef, 0x1048) X(SerParent, 0x104A) X(SerAuxTrend, 0x104B)              \
  X(IFmtRecord, 0x104E) X(Pos, 0x104F) X(AlRuns, 0x1050) X(BRAI, 0x1051) X(SerAuxErrBar, 0x105B)   \
  X(ClrtClient, 0x105C) X(SerFmt, 0x105D) X(Chart3DBarShape, 0x105F) X(Fbi, 0x1060)                \
  X(BopPop, 0x1061) X(AxcExt, 0x1062) X(Dat, 0x1063) X(PlotGrowth, 0x1064) X(SIIndex, 0x1065)      \
  X(GelFrame, 0x1066) X(BopPopCustom, 0x1067) X(Fbi2, 0x1068)

namespace tabrel::biff {

// Record numbers as constants: rt::BOF, rt::SST, rt::Lbl ...
namespace rt {
#define TABREL_BIFF_RECORD_CONSTANT(name, number) inline constexpr uint16_t name = number;
TABREL_BIFF_RECORDS(TABREL_BIFF_RECORD_CONSTANT)
#undef TABREL_BIFF_RECORD_CONSTANT
}  // namespace rt

struct RecordType {
  uint16_t number;
  std::string_view name;
};

// Every known record type, ordered by number.
std::span<const RecordType> record_types();

// "" for an unknown number; nullopt for an unknown name (names compare ignoring ASCII case, so
// "EOF" finds Eof).
std::string_view record_name(uint16_t number);
std::optional<uint16_t> record_number(std::string_view name);

// Record payloads that an encrypted stream keeps in plain text: the number of leading payload
// bytes that are never encrypted (SIZE_MAX: the whole payload).
size_t plain_prefix_size(uint16_t number);

// The largest payload of one record; longer payloads continue in CONTINUE records.
inline constexpr size_t kMaxPayload = 8224;

}  // namespace tabrel::biff

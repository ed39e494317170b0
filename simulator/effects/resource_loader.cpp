#include "simulator/effects/resource_loader.h"

#include "simulator/effects/text.h"

namespace velsim {

namespace {

Status Apply(const ResourceStatement& statement, EffectModel& model)
{
    switch (statement.type) {
    case ResourceStatement::Type::Effect:
        return model.Create(statement.name, statement.kind, statement.creationValue);
    case ResourceStatement::Type::Compound:
        return model.CreateCompound(statement.name, statement.members);
    case ResourceStatement::Type::Set:
        if (statement.change == ChangeId::InsideEffect)
            return model.ChangeInsideEffect(statement.name, statement.insideName);
        return model.Change(statement.name, statement.change, statement.values);
    }
    return Status::Ok();
}

}  // namespace

Status ApplyResource(const std::u16string& path, const std::vector<ResourceStatement>& statements,
                     EffectModel& model, int32_t& loaded)
{
    // A refusal half-way, or running out of memory, undoes what the file did
    // so far, in time proportional to that and not to the size of the model.
    EffectModel::Batch batch(model);
    int32_t made = 0;
    for (const ResourceStatement& statement : statements) {
        Status status = Apply(statement, model);
        if (!status.ok())
            return Status::Failure(Fault::BadResource,
                                   AboutResource(path, u"line " + Decimal(statement.line) + u": " + status.message));
        if (statement.type != ResourceStatement::Type::Set) ++made;
    }
    batch.Commit();
    loaded = made;
    return Status::Ok();
}

}  // namespace velsim
